#include "archive/command_line.h"

#include <gtest/gtest.h>

#include "archive/crc16.h"
#include "archive/name_pattern.h"
#include "archive/safe_paths.h"
#include "archive/sjis_separators.h"
#include "base/sjis.h"

namespace {

using archive::ArchiverCommand;
using archive::ParseCommandLine;

ArchiverCommand parsed(const std::string& line) {
    ArchiverCommand command;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(line, command, error)) << line << ": " << error;
    return command;
}

TEST(ArchiverCommandLine, TheOpenCommandsLine) {
    ArchiverCommand c = parsed("E -+ -x1 -jyco -r2 -jf0 -n1 \"C:\\data\\13101.lzh\" \"C:\\cache\\13101\\\" \"\"");
    EXPECT_EQ(c.letter, 'E');
    EXPECT_TRUE(c.withFolders);
    EXPECT_EQ(c.archive, "C:\\data\\13101.lzh");
    EXPECT_EQ(c.baseFolder, "C:\\cache\\13101\\");
    EXPECT_EQ(c.patterns, std::vector<std::string>{""});
}

TEST(ArchiverCommandLine, PartsAndSwitches) {
    ArchiverCommand c = parsed("x a.lzh out/ *.txt \"two words.dat\"");
    EXPECT_EQ(c.letter, 'X');
    EXPECT_FALSE(c.withFolders);
    EXPECT_EQ(c.archive, "a.lzh");
    EXPECT_EQ(c.baseFolder, "out/");
    EXPECT_EQ(c.patterns, (std::vector<std::string>{"*.txt", "two words.dat"}));

    // Without a trailing separator the second part is a pattern, not a folder.
    c = parsed("E \"my archive.lzh\" out");
    EXPECT_EQ(c.archive, "my archive.lzh");
    EXPECT_EQ(c.baseFolder, "");
    EXPECT_EQ(c.patterns, std::vector<std::string>{"out"});

    // The work folder switch is quoted; switches anywhere are passed over.
    c = parsed("E -+ \"-wC:\\tmp dir\\\"  \"a.lzh\" -x \"b\\\" -x0 \"\"");
    EXPECT_EQ(c.archive, "a.lzh");
    EXPECT_EQ(c.baseFolder, "b\\");
    EXPECT_FALSE(c.withFolders);  // -x0 came last
    EXPECT_TRUE(parsed("E -x a.lzh").withFolders);
}

TEST(ArchiverCommandLine, ShiftJisFolderEndingInTrailByte) {
    // 表 is 95 5C; only a real backslash after it marks a folder.
    std::string folder = sjis::fromUtf8(u8"地図表");
    ArchiverCommand c = parsed("E a.lzh \"" + folder + "\"");
    EXPECT_EQ(c.baseFolder, "");
    EXPECT_EQ(c.patterns, std::vector<std::string>{folder});
    c = parsed("E a.lzh \"" + folder + "\\\"");
    EXPECT_EQ(c.baseFolder, folder + "\\");
}

TEST(ArchiverCommandLine, BrokenLinesAreRejected) {
    ArchiverCommand c;
    std::string error;
    EXPECT_FALSE(ParseCommandLine("", c, error));
    EXPECT_NE(error.find("command letter"), std::string::npos);
    EXPECT_FALSE(ParseCommandLine("Extract a.lzh", c, error));
    EXPECT_FALSE(ParseCommandLine("7 a.lzh", c, error));
    EXPECT_FALSE(ParseCommandLine("E -x1 \"\" out\\", c, error));
    EXPECT_NE(error.find("no archive"), std::string::npos);
    EXPECT_FALSE(ParseCommandLine("E \"a.lzh out\\", c, error));
    EXPECT_NE(error.find("quote"), std::string::npos);
}

TEST(SjisSeparators, TrailBytesAreNotSeparators) {
    std::string hyou = sjis::fromUtf8(u8"表");
    EXPECT_EQ(archive::ToSlashes("a\\b\\" + hyou + "\\c"), "a/b/" + hyou + "/c");
    EXPECT_FALSE(archive::EndsWithBackslash(hyou));
    EXPECT_TRUE(archive::EndsWithBackslash(hyou + "\\"));
    EXPECT_FALSE(archive::EndsWithSeparator("a"));
    EXPECT_TRUE(archive::EndsWithSeparator("a/"));
    EXPECT_FALSE(archive::EndsWithSeparator(""));
}

TEST(NamePatterns, WildcardsAndCase) {
    using archive::MatchesPatterns;
    EXPECT_TRUE(MatchesPatterns({}, "x/y.txt"));
    EXPECT_TRUE(MatchesPatterns({""}, "x/y"));
    EXPECT_TRUE(MatchesPatterns({"*.*"}, "x/noextension"));
    EXPECT_TRUE(MatchesPatterns({"*.TXT"}, "13101/a.txt"));
    EXPECT_FALSE(MatchesPatterns({"*.TXT"}, "13101/a.arc"));
    EXPECT_TRUE(MatchesPatterns({"*.arc", "?.t*"}, "13101/a.txt"));
    EXPECT_FALSE(MatchesPatterns({"??.txt"}, "13101/a.txt"));
    // With a separator the pattern covers the whole path.
    EXPECT_TRUE(MatchesPatterns({"13101\\*"}, "13101/a.txt"));
    EXPECT_FALSE(MatchesPatterns({"13102/*"}, "13101/a.txt"));
    // '?' takes one double-byte character; a trail byte 'a' is no letter a.
    std::string kanji = sjis::fromUtf8(u8"表示");
    EXPECT_TRUE(MatchesPatterns({"??.txt"}, "d/" + kanji + ".txt"));
    EXPECT_FALSE(MatchesPatterns({"*A*"}, "d/" + std::string("\x88\x61", 2)));
}

TEST(StoredPaths, SafeAndUnsafePaths) {
    using archive::PathRefusal;
    std::vector<std::string> names;
    EXPECT_EQ(archive::SplitStoredPath("13101/./sub//a.txt", names), PathRefusal::kNone);
    EXPECT_EQ(names, (std::vector<std::string>{"13101", "sub", "a.txt"}));
    EXPECT_EQ(archive::SplitStoredPath("13101/", names), PathRefusal::kNone);
    EXPECT_EQ(names, std::vector<std::string>{"13101"});
    EXPECT_EQ(archive::SplitStoredPath("/etc/passwd", names), PathRefusal::kAbsolute);
    EXPECT_EQ(archive::SplitStoredPath("C:/x.txt", names), PathRefusal::kAbsolute);
    EXPECT_EQ(archive::SplitStoredPath("../x.txt", names), PathRefusal::kParentFolder);
    EXPECT_EQ(archive::SplitStoredPath("a/b/../../../x", names), PathRefusal::kParentFolder);
    EXPECT_EQ(archive::SplitStoredPath("a/..", names), PathRefusal::kParentFolder);
    EXPECT_EQ(archive::SplitStoredPath("./", names), PathRefusal::kEmpty);
    EXPECT_EQ(archive::SplitStoredPath(std::string("a\0b", 3), names), PathRefusal::kNulCharacter);
    // Names that only look like these are fine.
    EXPECT_EQ(archive::SplitStoredPath("...x/..y/x..", names), PathRefusal::kNone);
    EXPECT_TRUE(archive::IsWithin({"a", "b", "c"}, {"a", "b"}));
    EXPECT_TRUE(archive::IsWithin({"a"}, {"a"}));
    EXPECT_FALSE(archive::IsWithin({"a"}, {"a", "b"}));
    EXPECT_FALSE(archive::IsWithin({"ab", "c"}, {"a"}));
}

TEST(Crc16, KnownValues) {
    // CRC-16/ARC check value.
    EXPECT_EQ(archive::Crc16(0, "123456789", 9), 0xBB3D);
    EXPECT_EQ(archive::Crc16(0, "", 0), 0);
    uint16_t part = archive::Crc16(0, "12345", 5);
    EXPECT_EQ(archive::Crc16(part, "6789", 4), 0xBB3D);
}

}  // namespace
