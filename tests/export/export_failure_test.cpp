// Exports that cannot be done: each fails with a clear message (or stops when
// cancelled) and leaves nothing behind in the destination's folder. A write
// the file system refuses (as a full disk does) fails the export in every
// format, also where GDAL's writer does not notice (GeoJSON, KML): the
// read-back does, and the files it was to replace stay as they were.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "export/map_export.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "town_export_test.h"

namespace fs = std::filesystem;

namespace {

class ExportFailure : public TownExportTest {
protected:
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

    // Cancelled at the last question, after the writing and the read-back,
    // before anything is moved in.
    for (const char* name : {"a.gpkg", "a.shp"}) {
        int64_t questions = 0;
        ExportMap(*map, to(name), [&](int64_t, int64_t) { return ++questions > 0; });
        fs::remove_all(out());
        fs::create_directory(out());
        int64_t asked = 0;
        summary = ExportMap(*map, to(name), [&](int64_t, int64_t) { return ++asked < questions; });
        EXPECT_TRUE(summary.Cancelled) << name;
        EXPECT_EQ(asked, questions) << name;
        EXPECT_TRUE(summary.Layers.empty() && summary.Files.empty()) << name;
        EXPECT_TRUE(outFiles().empty()) << name;
    }
}

// Files cannot grow beyond `bytes` while it lives: writes past it fail with
// EFBIG, as on a full disk (RLIMIT_FSIZE, with SIGXFSZ ignored so that the
// write returns the error instead of ending the process).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST_F(ExportFailure, AWriteTheFileSystemRefusesFailsTheExportAndKeepsTheOldFiles) {
    auto snapshot = [this] {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(out()))
            files[e.path().filename().string()] = (std::ostringstream() << std::ifstream(e.path()).rdbuf()).str();
        return files;
    };
    for (const char* name : {"g.geojson", "k.kml", "p.gpkg", "s.shp", "f.fgb"}) {
        fs::remove_all(out());
        fs::create_directory(out());
        ASSERT_EQ(failure(*map, to(name)), "") << name;
        const auto before = snapshot();
        size_t largest = 0;
        for (const auto& [file, bytes] : before) largest = std::max(largest, bytes.size());

        TExportOptions again = to(name);
        again.Overwrite = true;
        std::string message;
        {
            FileSizeLimit limit(largest / 2);
            message = failure(*map, again);
        }
        EXPECT_NE(message, "") << name << ": a write beyond " << largest / 2 << " bytes was taken for a success";
        EXPECT_EQ(snapshot(), before) << name << ": " << message;
    }
}

TEST_F(ExportFailure, SingleLayerOfAOneLayerFormatGoesToTheDestinationItself) {
    TExportOptions one = to("roads.geojson");
    one.Layers = {TExportLayer::Line};
    TExportSummary summary = ExportMap(*map, one);
    EXPECT_EQ(summary.Files, std::vector<std::string>{one.Destination});
    EXPECT_EQ(outFiles(), std::set<std::string>{"roads.geojson"});

    TExportSummary all = ExportMap(*map, to("t.shp"));
    EXPECT_EQ(all.Files.size(), 4u);
    EXPECT_TRUE(fs::exists(out() / "t_lines.cpg"));  // texts declared UTF-8
    EXPECT_TRUE(fs::exists(out() / "t_labels.dbf"));
}

}  // namespace
