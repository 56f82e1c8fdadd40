// orvelle-cli export as a program on the bundled sample: one line per layer,
// the totals, a GeoPackage that GDAL lists with those counts in EPSG:2451.
// Its arguments and messages; and its interrupts, on a synthetic town large
// enough that the export lasts: SIGINT, SIGTERM and SIGHUP cancel it and
// leave nothing, a second signal ends it at once, and the next export into
// the folder removes what that left.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "gdal_reading.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace fs = std::filesystem;
using testsupport::ShellQuoted;

namespace {

testsupport::CliResult runCli(const std::string& args) { return testsupport::RunProgram(ORVELLE_CLI, args); }

TEST(CliExport, SampleToGeoPackageListsEveryLayerWithItsCount) {
    testsupport::TempDir dir;
    const fs::path out = dir.path() / "sample.gpkg";
    auto r = runCli("export " + ShellQuoted(ORVELLE_SAMPLE) + " " + ShellQuoted(out.string()));
    ASSERT_EQ(r.status, 0) << r.out;

    DatasetPtr ds = OpenVector(out.string());
    ASSERT_TRUE(ds);
    std::istringstream lines(r.out);
    std::string name;
    int64_t count = 0, sum = 0, layers = 0;
    while (lines >> name >> count && name != "total") {
        OGRLayer* layer = ds->GetLayerByName(name.c_str());
        ASSERT_TRUE(layer) << name;
        EXPECT_EQ(layer->GetFeatureCount(), count) << name;
        if (layer->GetGeomType() != wkbNone) {  // every layer but links
            ASSERT_TRUE(layer->GetSpatialRef()) << name;
            EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "2451");
        }
        sum += count;
        ++layers;
    }
    EXPECT_EQ(name, "total");
    EXPECT_EQ(count, sum);
    EXPECT_EQ(layers + 1, ds->GetLayerCount());  // and the sources table
    EXPECT_TRUE(ds->GetLayerByName("orvelle_sources"));
    EXPECT_EQ(layers, 6);  // the sample has every kind of feature

    // A second run without --overwrite fails and leaves the file as it was.
    const auto size = fs::file_size(out);
    EXPECT_EQ(runCli("export " + ShellQuoted(ORVELLE_SAMPLE) + " " + ShellQuoted(out.string())).status, 1);
    EXPECT_EQ(fs::file_size(out), size);
}

TEST(CliExport, BadArgumentsAndFailuresExitAsEveryCommandDoes) {
    testsupport::TempDir dir;
    const std::string sample = ShellQuoted(ORVELLE_SAMPLE);
    const std::string out = ShellQuoted((dir.path() / "x.gpkg").string());
    EXPECT_EQ(runCli("export " + sample + " " + out + " --layers roads").status, 2);
    EXPECT_EQ(runCli("export " + sample + " " + out + " --to-crs 4326").status, 2);
    EXPECT_EQ(runCli("export " + sample).status, 2);
    EXPECT_EQ(runCli("export " + sample + " " + out + " --to-crs EPSG:999999").status, 1);
    EXPECT_EQ(runCli("export " + sample + " " + out + " --format NoSuchDriver").status, 1);
    EXPECT_EQ(runCli("export " + ShellQuoted((dir.path() / "none").string()) + " " + out).status, 1);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(CliExport, ArgumentsAreCheckedAndMessagesHideWhatTheyMust) {
    testsupport::TempDir dir;
    const std::string sample = ShellQuoted(ORVELLE_SAMPLE);
    const std::string out = ShellQuoted((dir.path() / "x.gpkg").string());
    auto r = runCli("export " + sample + " " + out + " --layers");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--layers needs a list of layers"), std::string::npos) << r.err;
    r = runCli("export " + sample + " " + out + " --layers lines,areas,lines");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("layer lines is given twice"), std::string::npos) << r.err;
    r = runCli("export " + sample + " " + out + " --layers \"$(printf 'road\\377')\"");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find('\xff'), std::string::npos) << r.err;  // shown as \xFF

    r = runCli("export " + sample + " " + out + " --to-crs EPSG:4978");  // geocentric
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is not a two-dimensional projected or geographic coordinate system"), std::string::npos)
        << r.err;

    for (const std::string connection : {"PG:host=/nonexistent password=secret1 dbname=x",
                                         "PG:host=/nonexistent password='sec ret1' dbname=x",
                                         "PG:postgresql://me:secret1@/x?host=/nonexistent"}) {
        r = runCli("export " + sample + " " + ShellQuoted(connection));
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("cannot open PG:"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("ret1"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// The sample as a DXF drawing in Shift_JIS, the bug reports' command lines:
// --format DXF and a .dxf name both write a drawing; an unknown extension is
// refused unless --format names the format.
TEST(CliExport, DxfDrawingsAndUnknownExtensions) {
    testsupport::TempDir dir;
    const std::string sample = ShellQuoted(ORVELLE_SAMPLE);
    auto r = runCli("export " + sample + " " + ShellQuoted((dir.path() / "s.dxf").string()) + " --encoding CP932");
    ASSERT_EQ(r.status, 0) << r.err;
    r = runCli("export " + sample + " " + ShellQuoted((dir.path() / "t.dxf").string()) + " --format DXF");
    ASSERT_EQ(r.status, 0) << r.err;
    DatasetPtr ds = OpenVector((dir.path() / "s.dxf").string());
    ASSERT_TRUE(ds);
    EXPECT_STREQ(ds->GetDriver()->GetDescription(), "DXF");
    std::istringstream lines(r.out);
    std::string name;
    int64_t count = 0;
    while (lines >> name >> count && name != "total") {
    }
    EXPECT_EQ(name, "total");
    EXPECT_EQ(ds->GetLayer(0)->GetFeatureCount(), count);

    r = runCli("export " + sample + " " + ShellQuoted((dir.path() / "s.xyz").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the extension .xyz of"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "s.xyz"));
    EXPECT_EQ(runCli("export " + sample + " " + ShellQuoted((dir.path() / "s.xyz").string()) + " --format GPKG").status,
              0);
    EXPECT_STREQ(OpenVector((dir.path() / "s.xyz").string())->GetDriver()->GetDescription(), "GPKG");

    r = runCli("export " + sample + " " + ShellQuoted((dir.path() / "u.shp").string()) + " --encoding latin1");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--encoding needs UTF-8 or CP932"), std::string::npos) << r.err;
}

class CliExportInterrupt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        town_ = new testsupport::TempDir;
        synth::PlanParams plan;
        plan.cols = 2;
        plan.rows = 2;
        plan.blocksPerSide = 40;  // some 90,000 features: seconds of export
        synth::generate(plan, town_->path());
    }
    static void TearDownTestSuite() {
        delete town_;
        town_ = nullptr;
    }
    void SetUp() override { fs::create_directory(out()); }
    fs::path out() const { return dir_.path() / "out"; }
    fs::path log() const { return dir_.path() / "err.txt"; }

    // Starts an export of the town into out/t.gpkg; standard error goes to log().
    pid_t startExport() const {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, log().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string town = town_->path().string(), target = (out() / "t.gpkg").string();
        const char* argv[] = {ORVELLE_CLI, "export", town.c_str(), target.c_str(), nullptr};
        pid_t pid = -1;
        posix_spawn(&pid, ORVELLE_CLI, &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    // The export's staging folder in out/; empty when there is none.
    fs::path staging() const {
        for (const auto& e : fs::directory_iterator(out()))
            if (e.path().filename().string().rfind(".orvelle-export-", 0) == 0) return e.path();
        return {};
    }
    // Stops the export once it writes (its staging folder exists); false when
    // it ended before.
    bool stopWhileWriting(pid_t pid) const {
        while (staging().empty()) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kill(pid, SIGSTOP);
        return !staging().empty();
    }
    std::string errors() const { return (std::ostringstream() << std::ifstream(log()).rdbuf()).str(); }

    static testsupport::TempDir* town_;
    testsupport::TempDir dir_;
};

testsupport::TempDir* CliExportInterrupt::town_ = nullptr;

TEST_F(CliExportInterrupt, EachInterruptCancelsAndRemovesTheStaging) {
    for (const auto& [signal, name] : {std::pair{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}}) {
        const pid_t pid = startExport();
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(stopWhileWriting(pid)) << "the export ended before it could be interrupted";
        kill(pid, signal);
        kill(pid, SIGCONT);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << name << " ended the program";
        EXPECT_EQ(WEXITSTATUS(status), 1) << name;
        EXPECT_EQ(errors(), "orvelle-cli export: interrupted by " + std::string(name) + "; nothing was written\n");
        EXPECT_TRUE(fs::is_empty(out())) << name;
    }
}

TEST_F(CliExportInterrupt, ASecondSignalEndsAtOnceAndTheNextExportRemovesWhatItLeft) {
    const pid_t pid = startExport();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(stopWhileWriting(pid)) << "the export ended before it could be interrupted";
    kill(pid, SIGINT);
    kill(pid, SIGTERM);  // delivered once the first one's handler has run
    kill(pid, SIGCONT);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    ASSERT_FALSE(staging().empty());  // a process that ends at once cannot clean up

    ASSERT_EQ(runCli("export " + ShellQuoted(ORVELLE_SAMPLE) + " " + ShellQuoted((out() / "s.gpkg").string())).status, 0);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(out())) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"s.gpkg"});
}

}  // namespace
