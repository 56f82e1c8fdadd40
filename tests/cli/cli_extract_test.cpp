// orvelle-cli extract, run as a program.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    testsupport::CliResult r = testsupport::RunProgram(ORVELLE_CLI, arguments);
    return {r.status, r.out};
}

TEST(CliExtract, PrintsTheCommandLineAndTheResult) {
    testsupport::TempDir tmp;
    testsupport::WriteBytes(tmp.path() / u8"src/13101/表示.txt", "mesh");
    fs::path archive = tmp.path() / "13101.lzh";
    testsupport::MakeArchiveWithJlha(tmp.path() / "src", archive, "y", {"13101"});
    fs::path dest = tmp.path() / u8"出力";
    CliRun run = runCli("extract '" + archive.string() + "' '" + dest.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "E -+ -x1 -jyco -r2 -jf0 -n1 \"" + archive.string() + "\" \"" + dest.string() + "\\\" \"\"\n0\n");
    EXPECT_EQ(testsupport::ReadBytes(dest / u8"13101/表示.txt"), "mesh");
}

TEST(CliExtract, FailureAndBadArguments) {
    testsupport::TempDir tmp;
    testsupport::WriteBytes(tmp.path() / "bad.lzh", "no archive");
    CliRun run = runCli("extract '" + (tmp.path() / "bad.lzh").string() + "' '" + (tmp.path() / "out").string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), "4\n");  // kUnlhaNotAnArchive
    EXPECT_EQ(runCli("extract only-one").exitCode, 2);
    EXPECT_EQ(runCli("extract a b c").exitCode, 2);
    EXPECT_EQ(runCli(std::string("extract a.lzh '") + u8"\U0001F600" + "'").exitCode, 1);  // no Shift-JIS form
}

}  // namespace
