// Exports that cannot be done: each fails with a clear message (or stops when
// cancelled) and leaves nothing behind in the destination's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "export/map_export.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace fs = std::filesystem;

namespace {

class ExportFailure : public ::testing::Test {
protected:
    void SetUp() override {
        TErrorList errors;
        LoadDataPath(map, testsupport::writeTown(dir.path() / "town").string(), errors);
        ASSERT_TRUE(map);
        fs::create_directory(out());
    }
    fs::path out() const { return dir.path() / "out"; }
    std::set<std::string> outFiles() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(out())) names.insert(e.path().filename().string());
        return names;
    }
    // The export's message; empty when it did not fail.
    std::string failure(const TKDKObject& m, const TExportOptions& options) {
        try {
            ExportMap(m, options);
        } catch (const EExportError& e) {
            return e.what();
        }
        return {};
    }
    TExportOptions to(const std::string& name) {
        TExportOptions o;
        o.Destination = (out() / name).string();
        return o;
    }

    testsupport::TempDir dir;
    std::unique_ptr<TKDKObject> map;
};

TEST_F(ExportFailure, BadFormatCodeOrFolderFailsClearlyAndWritesNothing) {
    TExportOptions badFormat = to("a.gpkg");
    badFormat.Format = "NoSuchDriver";
    EXPECT_EQ(failure(*map, badFormat), "unknown format NoSuchDriver");

    TExportOptions badCode = to("a.gpkg");
    badCode.ToEpsg = 999999;
    EXPECT_EQ(failure(*map, badCode), "unknown coordinate reference system EPSG:999999");

    TExportOptions noFolder;
    noFolder.Destination = (out() / "missing" / "a.gpkg").string();
    EXPECT_NE(failure(*map, noFolder).find("cannot write in"), std::string::npos);

    TKDKObject empty;
    EXPECT_EQ(failure(empty, to("a.gpkg")), "nothing to export: the map has no features");
    EXPECT_TRUE(outFiles().empty());
}

TEST_F(ExportFailure, ExistingFileIsKeptUnlessOverwriteIsAsked) {
    { std::ofstream(out() / "a.gpkg") << "keep me"; }
    EXPECT_NE(failure(*map, to("a.gpkg")).find("already exists"), std::string::npos);
    EXPECT_EQ(fs::file_size(out() / "a.gpkg"), 7u);
    EXPECT_EQ(outFiles(), std::set<std::string>{"a.gpkg"});

    TExportOptions again = to("a.gpkg");
    again.Overwrite = true;
    EXPECT_EQ(failure(*map, again), "");
    EXPECT_GT(fs::file_size(out() / "a.gpkg"), 7u);
    EXPECT_EQ(outFiles(), std::set<std::string>{"a.gpkg"});
}

TEST_F(ExportFailure, OneExistingLayerFileStopsAShapefileExportBeforeItStarts) {
    { std::ofstream(out() / "s_areas.shp") << "x"; }
    EXPECT_NE(failure(*map, to("s.shp")).find("s_areas.shp already exists"), std::string::npos);
    EXPECT_EQ(outFiles(), std::set<std::string>{"s_areas.shp"});
}

TEST_F(ExportFailure, CancelledExportReportsProgressAndKeepsNothing) {
    int64_t lastTotal = 0, calls = 0;
    TExportSummary summary = ExportMap(*map, to("a.gpkg"), [&](int64_t written, int64_t total) {
        EXPECT_LE(written, total);
        lastTotal = total;
        ++calls;
        return false;
    });
    EXPECT_TRUE(summary.Cancelled);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(lastTotal, 0);
    EXPECT_TRUE(outFiles().empty());
}

TEST_F(ExportFailure, SingleLayerOfAOneLayerFormatGoesToTheDestinationItself) {
    TExportOptions one = to("roads.geojson");
    one.Layers = {TExportLayer::Lines};
    TExportSummary summary = ExportMap(*map, one);
    EXPECT_EQ(summary.Files, std::vector<std::string>{one.Destination});
    EXPECT_EQ(outFiles(), std::set<std::string>{"roads.geojson"});

    TExportSummary all = ExportMap(*map, to("t.shp"));
    EXPECT_EQ(all.Files.size(), 4u);
    EXPECT_TRUE(fs::exists(out() / "t_lines.cpg"));  // texts declared UTF-8
    EXPECT_TRUE(fs::exists(out() / "t_labels.dbf"));
}

}  // namespace
