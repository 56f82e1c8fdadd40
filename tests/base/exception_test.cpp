// One rule for exception texts: what() is Shift-JIS, ExceptionText gives
// UTF-8 for any exception at the edges.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "base/exception.h"
#include "base/sjis.h"

TEST(ExceptionText, ConvertsOwnShiftJisMessagesAndPassesOthersThrough) {
    const Exception sjisMade(sjis::fromUtf8(u8"ファイルが開けません"));
    EXPECT_EQ(ExceptionText(sjisMade), u8"ファイルが開けません");
    EXPECT_EQ(std::string(sjisMade.what()), sjis::fromUtf8(u8"ファイルが開けません"));

    // The standard library's texts are UTF-8 (a path) and stay as they are.
    const std::filesystem::filesystem_error fs("cannot open", std::filesystem::path(u8"/tmp/地図.txt"),
                                               std::make_error_code(std::errc::no_such_file_or_directory));
    EXPECT_NE(ExceptionText(fs).find(u8"地図.txt"), std::string::npos);
    EXPECT_EQ(ExceptionText(std::runtime_error("plain")), "plain");
}

TEST(ExceptionText, KeepsUtf8MessagesWholeThoughShiftJisLacksACharacter) {
    // "é" and "😀" have no Shift-JIS form: what() marks them, the edge text keeps them.
    const Exception utf8Made(Exception::Utf8{u8"cannot write /home/rené/地図😀.gpkg"});
    EXPECT_EQ(ExceptionText(utf8Made), u8"cannot write /home/rené/地図😀.gpkg");
    EXPECT_EQ(std::string(utf8Made.what()), sjis::fromUtf8(u8"cannot write /home/rené/地図😀.gpkg"));
    EXPECT_NE(std::string(utf8Made.what()).find('?'), std::string::npos);
    // Caught as its base, the derived kind still answers by its own text.
    try {
        throw Exception(Exception::Utf8{u8"川"});
    } catch (const std::exception& e) {
        EXPECT_EQ(ExceptionText(e), u8"川");
    }
}
