// orvelle-synth as a program: its summary line and its exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

testsupport::CliResult synthCommand(const std::string& args) {
    return testsupport::RunProgram(ORVELLE_SYNTH_PROGRAM, args);
}

TEST(SynthCommandLine, PrintsOneSummaryLine) {
    testsupport::TempDir dir;
    const auto out = dir.path() / "maps";
    const testsupport::CliResult r =
        synthCommand("--out " + testsupport::ShellQuoted(out.string()) + " --cols 1 --rows 1 --blocks-per-side 4 --seed 2");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("orvelle-synth: 1 meshes, ")) << r.out;
    EXPECT_NE(r.out.find(" vertices, "), std::string::npos);
    EXPECT_NE(r.out.find("(1x1 sheets, 4 blocks per side, seed 2)"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
    EXPECT_FALSE(std::filesystem::is_empty(out));
}

TEST(SynthCommandLine, BadArgumentsExitWithTwo) {
    EXPECT_EQ(synthCommand("").status, 2);
    EXPECT_EQ(synthCommand("--out x --cols zero").status, 2);
    EXPECT_EQ(synthCommand("--out x --blocks-per-side 4 --target-vertices 100").status, 2);
    EXPECT_EQ(synthCommand("--help").status, 0);
}

TEST(SynthCommandLine, AFolderInUseIsLeftAloneUnlessForced) {
    testsupport::TempDir dir;
    const auto keep = dir.path() / "notes.txt";
    std::ofstream(keep) << "mine";
    EXPECT_EQ(synthCommand("--out " + testsupport::ShellQuoted(dir.path().string()) + " --cols 1 --blocks-per-side 3").status, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(synthCommand("--out " + testsupport::ShellQuoted(keep.string())).status, 1);
    EXPECT_EQ(synthCommand("--out " + testsupport::ShellQuoted(dir.path().string()) + " --cols 1 --blocks-per-side 3 --force").status, 0);
    EXPECT_TRUE(std::filesystem::exists(keep));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
