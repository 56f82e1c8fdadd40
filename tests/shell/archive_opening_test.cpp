#include "shell/archive_opening.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive/unlha_component.h"
#include "base/sjis.h"
#include "shell/cache_folder.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

TEST(ArchiveOpening, RecognisesArchivesByExtension) {
    EXPECT_TRUE(IsArchivePath("/data/13101.lzh"));
    EXPECT_TRUE(IsArchivePath("C:\\data\\X.LZH"));
    EXPECT_TRUE(IsArchivePath("a.Lzh"));
    EXPECT_FALSE(IsArchivePath("a.txt"));
    EXPECT_FALSE(IsArchivePath("lzh"));
    EXPECT_FALSE(IsArchivePath("a.lzh/"));
}

TEST(ArchiveOpening, ComponentIsSetUpAsTheOpenCommandDoes) {
    TUnlha unlha(262);
    unlha.Options.OpCompType = TOpCompType::ctLH0;  // left as it was
    std::string seen;
    unlha.Archiver = [&](const std::string& line, std::string&) {
        seen = line;
        return 0;
    };
    ArchiveExtraction e = ExtractForOpening(unlha, "/data/13101.lzh", "/cache/Maps/");
    EXPECT_TRUE(e.ok());
    EXPECT_EQ(e.folder, "/cache/Maps/13101");
    EXPECT_EQ(seen, "E -+ -jm0 -x1 -jyco -r2 -jf0 -n1 \"/data/13101.lzh\" \"/cache/Maps/13101\\\" \"\"");
    EXPECT_EQ(unlha.ARCPattern, "");
    EXPECT_FALSE(unlha.DisplayCSR);
    EXPECT_EQ(unlha.ExecMode, TExecMode::exBackGround);
    EXPECT_EQ(unlha.Command, TCommand::cmdExtract);

    unlha.ResetOptions();
    SetUpExtraction(unlha, "a.lzh", "D:\\out\\");
    EXPECT_EQ(unlha.BuildCommandLine(), "E -+ -x1 -jyco -r2 -jf0 -n1 \"a.lzh\" \"D:\\out\\\" \"\"");
}

TEST(ArchiveOpening, ExtractsIntoTheCacheAndSaysWhichFolderToLoad) {
    testsupport::TempDir tmp;
    fs::path data = tmp.path() / "data";
    WriteBytes(data / "13101/13101.txt", "mesh description");
    WriteBytes(data / "13101/13101.ARC", "arcs");
    fs::path archive = tmp.path() / "13101.LZH";
    testsupport::MakeArchiveWithJlha(data, archive, "y", {"13101"});
    std::string cache = sjis::fromUtf8((tmp.path() / "Maps").string()) + "/";

    WriteBytes(tmp.path() / "Maps/13101/13101/old.txt", "from an earlier archive");
    TUnlha unlha;
    ArchiveExtraction e = ExtractForOpening(unlha, sjis::fromUtf8(archive.string()), cache);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.folder, cache + "13101");
    fs::path folder = sjis::toUtf8(e.folder);
    EXPECT_EQ(ReadBytes(folder / "13101/13101.txt"), "mesh description");
    EXPECT_EQ(ReadBytes(folder / "13101/13101.ARC"), "arcs");
    EXPECT_EQ(ReadBytes(folder / "13101/old.txt"), "from an earlier archive");  // files not in the archive stay

    // A broken archive: not 0, so nothing is to be loaded.
    WriteBytes(tmp.path() / "13102.lzh", "not an archive");
    ArchiveExtraction bad = ExtractForOpening(unlha, sjis::fromUtf8((tmp.path() / "13102.lzh").string()), cache);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.folder, cache + "13102");
}

}  // namespace
