#include "base/shipped_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(ShippedData, ProgramsOwnShareFolderComesFirstAndTheSourceTreeLast) {
    const std::vector<fs::path> folders = ShippedDataFolders();
    ASSERT_EQ(folders.size(), 3u);
    const fs::path program = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(folders.front(), program.parent_path().parent_path() / "share/orvelle");
    EXPECT_EQ(folders.back(), fs::path(ORVELLE_SOURCE_DATA));
}

TEST(ShippedData, FindsTheDefaultEngineListAndTheGrids) {
    const fs::path list = FindShippedFile("engine.lst");
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.filename(), "engine.lst");
    EXPECT_EQ(bytesOf(list), bytesOf(fs::path(ORVELLE_SOURCE_DATA) / "engine.lst"));
    EXPECT_EQ(FindShippedFile("grids/TKY2JGD.tif").filename(), "TKY2JGD.tif");
}

TEST(ShippedData, AFolderOrAMissingNameIsNoFile) {
    EXPECT_TRUE(FindShippedFile("grids").empty());
    EXPECT_TRUE(FindShippedFile("no-such-file.lst").empty());
}
