#include "base/path_resolver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(PathResolver, MapsBackslashesAndFindsComponentsIgnoringCase) {
    testsupport::TempDir dir;
    fs::create_directories(dir.path() / "53394611" / "GYOUSEI");
    std::ofstream(dir.path() / "53394611" / "GYOUSEI" / "gyousei.arc") << "x";
    std::string root = dir.path().string();

    std::string resolved = paths::resolve(root + "/53394611/doc/..\\gyousei\\GYOUSEI.ARC");
    EXPECT_EQ(resolved, root + "/53394611/GYOUSEI/gyousei.arc");
    EXPECT_TRUE(paths::fileExists(root + "\\53394611\\Gyousei\\Gyousei.Arc"));
    EXPECT_FALSE(paths::fileExists(root + "/53394611/GYOUSEI"));  // a folder is no file
    EXPECT_FALSE(paths::fileExists(root + "/53394611/GYOUSEI/missing.arc"));
}

TEST(PathResolver, ParentOfAMissingFolderIsLexical) {
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "a.txt") << "x";
    std::string root = dir.path().string();
    EXPECT_TRUE(paths::fileExists(root + "/NOSUCH/../A.TXT"));
    EXPECT_EQ(paths::resolve(root + "/x/./y/../z"), root + "/x/z");
}

TEST(PathResolver, ExactNameWinsOverCaseInsensitiveMatch) {
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "A.TXT") << "upper";
    std::ofstream(dir.path() / "a.txt") << "lower";
    std::string root = dir.path().string();
    EXPECT_EQ(paths::resolve(root + "/a.txt"), root + "/a.txt");
    EXPECT_EQ(paths::resolve(root + "/A.TXT"), root + "/A.TXT");
    EXPECT_EQ(paths::resolve(root + "/A.txt"), root + "/A.TXT");  // first in sorted order
}

TEST(PathParts, SplitShiftJisPathsAtRealSeparatorsOnly) {
    // 表 = 95 5C ends in a backslash byte; it must not split the name.
    const std::string hyou("\x95\x5C");
    const std::string path = "C:\\data\\" + hyou + ".txt";
    EXPECT_EQ(paths::folderPart(path), "C:\\data\\");
    EXPECT_EQ(paths::fileNamePart(path), hyou + ".txt");
    EXPECT_EQ(paths::baseNameOf(path), hyou);
    EXPECT_EQ(paths::extensionOf(path), ".txt");
    EXPECT_EQ(paths::extensionOf("dir.x/NAME"), "");
    EXPECT_EQ(paths::folderPart("D:file.arc"), "D:");
    EXPECT_EQ(paths::baseNameOf("a/b.c.d"), "b.c");
}
