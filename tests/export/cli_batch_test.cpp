// orvelle-cli export with several PATHs and --append, as a program: a batch
// written twice, or in another order, or resumed after kill -9 at several
// points, holds exactly the rows of one clean run (compared by their fields
// and geometry, not their FIDs) and the same sources table; sources in two
// plane zones are refused without --to-crs; a source that cannot be read is
// reported while the others are written; a format without transactions
// takes the batch whole and refuses --append.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "gdal_reading.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace fs = std::filesystem;
using testsupport::ShellQuoted;

namespace {

testsupport::CliResult last;  // of the last runCli, for its standard error

testsupport::CliResult runCli(const std::string& args) { return last = testsupport::RunProgram(ORVELLE_CLI, args); }

const std::string& lastErrors() { return last.err; }

constexpr const char* kLayers[] = {"lines", "areas", "points", "labels", "nodes", "links"};

// Opened for update: a GeoPackage whose writer was killed has its last
// transaction rolled back by the next one that may write (SQLite's journal).
DatasetPtr openWritable(const fs::path& file) {
    GDALAllRegister();
    return DatasetPtr(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
}

// Every feature of the export's layers as "layer|fields...|geometry", sorted.
std::vector<std::string> rowsOf(const fs::path& file) {
    DatasetPtr ds = openWritable(file);
    EXPECT_TRUE(ds) << file;
    std::vector<std::string> rows;
    if (!ds) return rows;
    for (const char* name : kLayers) {
        OGRLayer* layer = ds->GetLayerByName(name);
        if (!layer) continue;
        for (auto& f : *layer) {
            std::string row = name;
            for (int i = 0; i < f->GetFieldCount(); ++i) row += std::string("|") + f->GetFieldAsString(i);
            if (const OGRGeometry* g = f->GetGeometryRef()) row += "|" + g->exportToWkt();
            rows.push_back(std::move(row));
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The sources table's rows as "name|files|counts", sorted (not when written).
std::vector<std::string> sourcesOf(const fs::path& file) {
    DatasetPtr ds = openWritable(file);
    std::vector<std::string> rows;
    OGRLayer* table = ds ? ds->GetLayerByName("orvelle_sources") : nullptr;
    EXPECT_TRUE(table) << file;
    if (!table) return rows;
    for (auto& f : *table)
        rows.push_back(std::string(f->GetFieldAsString("name")) + "|" + f->GetFieldAsString("files") + "|" +
                       f->GetFieldAsString("counts"));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The source names of a layer's features.
std::vector<std::string> sourceNames(const fs::path& file, const char* layerName) {
    DatasetPtr ds = OpenVector(file.string());
    std::vector<std::string> names;
    for (auto& f : *ds->GetLayerByName(layerName)) {
        const std::string name = f->GetFieldAsString("source");
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void makeTown(const fs::path& folder, uint64_t seed, int blocks) {
    synth::PlanParams plan;
    plan.seed = seed;
    plan.blocksPerSide = blocks;
    synth::generate(plan, folder);
}

// A copy of the sample whose meshes say they are in plane zone X.
void copySampleInZoneTen(const fs::path& folder) {
    fs::copy(ORVELLE_SAMPLE, folder, fs::copy_options::recursive);
    for (const auto& mesh : fs::directory_iterator(folder)) {
        const fs::path description = mesh.path() / (mesh.path().filename().string() + ".TXT");
        std::ifstream in(description, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        in.close();
        // The seventh line starts with the zone: "9,-37500.0,...".
        size_t at = 0;
        for (int line = 1; line < 7; ++line) at = text.find('\n', at) + 1;
        ASSERT_EQ(text.compare(at, 2, "9,"), 0);
        text.replace(at, 1, "10");
        std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
    }
}

class CliBatch : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        towns_ = new testsupport::TempDir;
        for (int i = 0; i < 3; ++i) makeTown(town(i), 11 + i, 10);
    }
    static void TearDownTestSuite() {
        delete towns_;
        towns_ = nullptr;
    }
    static fs::path town(int i) { return towns_->path() / ("town" + std::to_string(i)); }
    static std::string quoted(const fs::path& p) { return ShellQuoted(p.string()); }

    fs::path out(const std::string& name) const { return dir_.path() / name; }

    static testsupport::TempDir* towns_;
    testsupport::TempDir dir_;
};
testsupport::TempDir* CliBatch::towns_ = nullptr;

TEST_F(CliBatch, SameBatchTwiceOrInAnotherOrderGivesTheRowsOfOneRun) {
    const std::string batch = quoted(town(0)) + " " + quoted(town(1)) + " " + ShellQuoted(ORVELLE_SAMPLE);
    auto r = runCli("export " + batch + " " + quoted(out("new.gpkg")));
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_NE(r.out.find("sources 3 written, 0 skipped, 0 failed"), std::string::npos) << r.out;
    const std::vector<std::string> rows = rowsOf(out("new.gpkg"));
    const std::vector<std::string> sources = sourcesOf(out("new.gpkg"));
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sourceNames(out("new.gpkg"), "lines"), (std::vector<std::string>{"sample", "town0", "town1"}));

    // Appended twice: the second run skips every source and changes nothing.
    ASSERT_EQ(runCli("export " + batch + " " + quoted(out("a.gpkg")) + " --append").status, 0) << lastErrors();
    r = runCli("export " + batch + " " + quoted(out("a.gpkg")) + " --append");
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_NE(r.out.find("sources 0 written, 3 skipped, 0 failed"), std::string::npos) << r.out;
    EXPECT_NE(lastErrors().find("town1: unchanged since it was written; skipped"), std::string::npos) << lastErrors();
    EXPECT_EQ(rowsOf(out("a.gpkg")), rows);
    EXPECT_EQ(sourcesOf(out("a.gpkg")), sources);

    // A source whose files changed is replaced whole, not added twice.
    for (const auto& e : fs::recursive_directory_iterator(town(0)))
        if (e.is_regular_file())
            fs::last_write_time(e.path(), fs::last_write_time(e.path()) + std::chrono::seconds(5));
    r = runCli("export " + quoted(town(0)) + " " + quoted(out("a.gpkg")) + " --append");
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_NE(r.out.find("sources 1 written, 0 skipped, 0 failed"), std::string::npos) << r.out;
    EXPECT_EQ(rowsOf(out("a.gpkg")), rows);

    // Another order into a new file: the same rows; the sources table differs
    // from the first only by town0's new times.
    ASSERT_EQ(runCli("export " + ShellQuoted(ORVELLE_SAMPLE) + " " + quoted(town(1)) + " " + quoted(town(0)) + " " +
                     quoted(out("b.gpkg")) + " --append")
                  .status,
              0)
        << lastErrors();
    EXPECT_EQ(rowsOf(out("b.gpkg")), rows);
    EXPECT_EQ(sourcesOf(out("b.gpkg")), sourcesOf(out("a.gpkg")));
}

TEST_F(CliBatch, OnePathRecordsItsSourceAndItsCounts) {
    auto r = runCli("export " + ShellQuoted(ORVELLE_SAMPLE) + " " + quoted(out("one.gpkg")));
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_EQ(r.out.find("sources"), std::string::npos) << r.out;  // its output is as before
    EXPECT_EQ(sourceNames(out("one.gpkg"), "labels"), std::vector<std::string>{"sample"});
    const std::vector<std::string> sources = sourcesOf(out("one.gpkg"));
    ASSERT_EQ(sources.size(), 1u);
    const std::string lines = r.out.substr(r.out.find("lines ") + 6, r.out.find('\n') - 6);
    EXPECT_NE(sources[0].find("\"lines\":" + lines), std::string::npos) << sources[0];
    EXPECT_NE(sources[0].find("53394506.TXT\",\"size\":"), std::string::npos) << sources[0];
}

TEST_F(CliBatch, KilledAtAnyPointTheSameCommandFinishesWithTheRowsOfACleanRun) {
    testsupport::TempDir big;
    std::vector<std::string> args = {ORVELLE_CLI, "export"};
    for (int i = 0; i < 4; ++i) {
        makeTown(big.path() / ("big" + std::to_string(i)), 21 + i, 24);
        args.push_back((big.path() / ("big" + std::to_string(i))).string());
    }
    std::string batch;
    for (size_t i = 2; i < args.size(); ++i) batch += ShellQuoted(args[i]) + " ";
    ASSERT_EQ(runCli("export " + batch + quoted(out("clean.gpkg"))).status, 0) << lastErrors();
    const std::vector<std::string> clean = rowsOf(out("clean.gpkg"));

    const std::string target = out("k.gpkg").string();
    args.insert(args.end(), {target, "--append", "--jobs", "2"});
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);
    for (int ms : {50, 300, 700, 1200, 2000}) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, ORVELLE_CLI, &actions, nullptr, const_cast<char**>(argv.data()), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        // What a kill leaves is consistent: each source it holds is whole.
        if (fs::exists(target)) {
            const std::vector<std::string> rows = rowsOf(target);
            for (const std::string& row : rows)
                EXPECT_TRUE(std::binary_search(clean.begin(), clean.end(), row)) << row;
            int64_t listed = 0;
            for (const std::string& s : sourcesOf(target)) {
                const std::string counts = s.substr(s.rfind('|') + 1);
                for (size_t at = counts.find(':'); at != std::string::npos; at = counts.find(':', at + 1))
                    listed += std::stoll(counts.substr(at + 1));
            }
            EXPECT_EQ(static_cast<int64_t>(rows.size()), listed) << "after " << ms << " ms";
        }
    }
    const auto r = runCli("export " + batch + ShellQuoted(target) + " --append");
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_EQ(rowsOf(target), clean);
}

TEST_F(CliBatch, SourcesInTwoPlaneZonesAreRefusedWithoutToCrs) {
    copySampleInZoneTen(dir_.path() / "zone10");
    const std::string batch = quoted(town(0)) + " " + quoted(dir_.path() / "zone10") + " ";
    auto r = runCli("export " + batch + quoted(out("z.gpkg")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(lastErrors().find("cfProjectedJGD09 (EPSG:2451): town0; cfProjectedJGD10 (EPSG:2452): zone10"),
              std::string::npos)
        << lastErrors();
    EXPECT_FALSE(fs::exists(out("z.gpkg")));
    EXPECT_EQ(runCli("export " + batch + quoted(out("z.gpkg")) + " --append").status, 1);
    EXPECT_FALSE(fs::exists(out("z.gpkg")));

    r = runCli("export " + batch + quoted(out("z.gpkg")) + " --to-crs EPSG:6668");
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_EQ(sourceNames(out("z.gpkg"), "points"), (std::vector<std::string>{"town0", "zone10"}));
    // Appending in another system than the layers' is refused too.
    r = runCli("export " + quoted(town(1)) + " " + quoted(out("z.gpkg")) + " --append");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(lastErrors().find("is in EPSG:6668, the sources are written in EPSG:2451"), std::string::npos)
        << lastErrors();
}

TEST_F(CliBatch, ASourceThatCannotBeReadIsReportedAndTheOthersAreWritten) {
    // The second mesh's description is damaged: reading fails after the first.
    const fs::path broken = dir_.path() / "broken";
    fs::copy(town(1), broken, fs::copy_options::recursive);
    std::vector<fs::path> meshes;
    for (const auto& e : fs::directory_iterator(broken)) meshes.push_back(e.path());
    std::sort(meshes.begin(), meshes.end());
    ASSERT_EQ(meshes.size(), 2u);
    std::ofstream(meshes[1] / (meshes[1].filename().string() + ".TXT"), std::ios::trunc) << "not a description\n";

    for (const char* append : {"", " --append"}) {
        const fs::path target = out(std::string("f") + (*append ? "a" : "") + ".gpkg");
        auto r = runCli("export " + quoted(town(0)) + " " + quoted(broken) + " " + quoted(dir_.path() / "missing") +
                        " " + quoted(town(2)) + " " + quoted(target) + append);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find("sources 2 written, 0 skipped, 2 failed"), std::string::npos) << r.out;
        EXPECT_NE(lastErrors().find("orvelle-cli export: broken: "), std::string::npos) << lastErrors();
        EXPECT_NE(lastErrors().find("orvelle-cli export: missing: "), std::string::npos) << lastErrors();
        EXPECT_EQ(sourceNames(target, "lines"), (std::vector<std::string>{"town0", "town2"}));
        EXPECT_EQ(sourcesOf(target).size(), 2u);
    }
}

TEST_F(CliBatch, FormatsWithoutTransactionsTakeTheBatchWholeAndRefuseAppend) {
    const std::string batch = quoted(town(0)) + " " + quoted(town(1)) + " ";
    auto r = runCli("export " + batch + quoted(out("s.shp")));
    ASSERT_EQ(r.status, 0) << lastErrors();
    EXPECT_EQ(sourceNames(out("s_areas.shp"), "s_areas"), (std::vector<std::string>{"town0", "town1"}));
    std::ifstream side(out("s_orvelle_sources.csv"));
    std::string header, first, second, more;
    std::getline(side, header);
    std::getline(side, first);
    std::getline(side, second);
    EXPECT_EQ(header, "name,files,counts,written\r");
    EXPECT_NE(first.find("town"), std::string::npos);
    EXPECT_FALSE(std::getline(side, more));

    const auto before = fs::last_write_time(out("s_lines.shp"));
    r = runCli("export " + batch + quoted(out("s.shp")) + " --append");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(lastErrors().find("--append takes GeoPackage (.gpkg) or a database"), std::string::npos) << lastErrors();
    EXPECT_EQ(fs::last_write_time(out("s_lines.shp")), before);
    EXPECT_EQ(runCli("export " + batch + quoted(out("t.gpkg")) + " --append --overwrite").status, 2);
    // The whole batch or nothing: an existing name is refused before writing.
    r = runCli("export " + batch + quoted(out("s.shp")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fs::last_write_time(out("s_lines.shp")), before);
}

// On a terminal (script(1) gives one) standard error shows the progress line,
// redrawn in place; --quiet silences it, and without a terminal there is none.
TEST_F(CliBatch, TheProgressLineIsDrawnOnATerminalOnly) {
    if (std::system("command -v script > /dev/null") != 0) GTEST_SKIP() << "script(1) is missing";
    const std::string batch = quoted(town(0)) + " " + quoted(town(1)) + " ";
    auto onTerminal = [&](const std::string& target, const std::string& options) {
        const std::string command = std::string(ORVELLE_CLI) + " export " + batch + quoted(out(target)) + options +
                                    " > /dev/null";
        return testsupport::RunProgram("script", "-qec " + ShellQuoted(command) + " /dev/null").out;
    };
    const std::string shown = onTerminal("t.gpkg", "");
    EXPECT_NE(shown.find("\r\x1b[Ksources 2/2, "), std::string::npos) << shown;
    EXPECT_TRUE(fs::exists(out("t.gpkg")));
    EXPECT_EQ(onTerminal("q.gpkg", " --quiet").find("sources"), std::string::npos);
    EXPECT_TRUE(fs::exists(out("q.gpkg")));
    runCli("export " + batch + quoted(out("n.gpkg")));
    EXPECT_EQ(lastErrors().find("sources"), std::string::npos) << lastErrors();
}

}  // namespace
