// What an export may create and replace. OUT is a file name unless it is a
// database's; every name the export creates, a driver's side files included,
// is refused when it exists (a dangling link too) unless overwriting, which
// replaces exactly those names; the move into place is all or nothing; a
// staging folder left by a dead export goes, one of a running export stays.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "export/map_export.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "town_export_test.h"

namespace fs = std::filesystem;

namespace {

class ExportDestination : public TownExportTest {
protected:
    void write(const std::string& name, const std::string& text) const { std::ofstream(out() / name) << text; }
    // Everything below out(), hidden names included: a file's content, a
    // link's target after "-> ", "<folder>" for a folder.
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> all;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(out())) {
            const std::string name = fs::relative(e.path(), out()).string();
            if (e.is_symlink()) all[name] = "-> " + fs::read_symlink(e.path()).string();
            else if (e.is_directory()) all[name] = "<folder>";
            else all[name] = (std::ostringstream() << std::ifstream(e.path()).rdbuf()).str();
        }
        return all;
    }
    TExportOptions to(const std::string& name, bool overwrite = false) const {
        TExportOptions o;
        o.Destination = (out() / name).string();
        o.Overwrite = overwrite;
        return o;
    }
    // The export's failure; none when it succeeded.
    std::optional<EExportError> failure(const TExportOptions& options, const TExportProgress& progress = {}) const {
        try {
            ExportMap(*map, options, progress);
        } catch (const EExportError& e) {
            return e;
        }
        return std::nullopt;
    }
};

// Runs in `folder` while it lives.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

TEST_F(ExportDestination, AColonIsPartOfAFileNameOnlyPGOrADatabaseFormatMeansADatabase) {
    write("my:data.gpkg", "keep me");
    {
        InFolder here(out());
        TExportOptions relative;
        relative.Destination = "my:data.gpkg";
        const std::optional<EExportError> refused = failure(relative);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->Failure(), TExportFailure::DestinationExists) << refused->what();
        EXPECT_EQ(refused->Subject(), "my:data.gpkg");

        relative.Destination = "MySQL:test,host=x";  // a GeoPackage of that name
        relative.Format = "GPKG";
        EXPECT_FALSE(failure(relative));

        TExportOptions database;  // the driver names a database: the text is its connection
        database.Format = "PostgreSQL";
        database.Destination = "host=/nonexistent dbname=x";
        const std::optional<EExportError> unreachable = failure(database);
        ASSERT_TRUE(unreachable);
        EXPECT_EQ(std::string(unreachable->what()).rfind("cannot open PG:host=/nonexistent dbname=x: ", 0), 0u)
            << unreachable->what();

        TExportOptions mismatch;
        mismatch.Format = "GPKG";
        mismatch.Destination = "pg:dbname=x";
        const std::optional<EExportError> refusedFile = failure(mismatch);
        ASSERT_TRUE(refusedFile);
        EXPECT_STREQ(refusedFile->what(), "a PG: connection string needs a database format, not GPKG");
    }
    const auto all = contents();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all.at("my:data.gpkg"), "keep me");
    EXPECT_EQ(all.at("MySQL:test,host=x").substr(0, 15), "SQLite format 3");
}

TEST_F(ExportDestination, EveryNameTheExportWouldCreateIsRefusedWhenItExists) {
    write("s_lines.dbf", "old table");  // a side file of s.shp's lines layer
    fs::create_symlink("nowhere", out() / "k.gpkg");
    const auto before = contents();

    const std::optional<EExportError> sideFile = failure(to("s.shp"));
    ASSERT_TRUE(sideFile);
    EXPECT_EQ(sideFile->Failure(), TExportFailure::DestinationExists);
    EXPECT_EQ(sideFile->Subject(), (out() / "s_lines.dbf").string());
    EXPECT_EQ(std::string(sideFile->what()), (out() / "s_lines.dbf").string() + " already exists (--overwrite replaces it)");

    const std::optional<EExportError> danglingLink = failure(to("k.gpkg"));
    ASSERT_TRUE(danglingLink);
    EXPECT_EQ(danglingLink->Failure(), TExportFailure::DestinationExists);

    TExportOptions twice = to("t.gpkg");
    twice.Layers = {TExportLayer::Line, TExportLayer::Line};
    const std::optional<EExportError> duplicate = failure(twice);
    ASSERT_TRUE(duplicate);
    EXPECT_STREQ(duplicate->what(), "layer lines is asked for twice");

    EXPECT_EQ(contents(), before);
}

TEST_F(ExportDestination, OverwriteReplacesExactlyTheNamesWrittenAndNeverFollowsALink) {
    write("s_lines.dbf", "old table");
    write("s_notes.txt", "mine");
    fs::create_symlink("../elsewhere.prj", out() / "s_points.prj");
    ASSERT_FALSE(failure(to("s.shp", true)));

    const auto all = contents();
    EXPECT_EQ(all.at("s_notes.txt"), "mine");
    EXPECT_NE(all.at("s_lines.dbf"), "old table");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out() / "s_points.prj")));
    EXPECT_FALSE(fs::exists(dir.path() / "elsewhere.prj"));
    std::map<std::string, std::string> expected;
    for (const char* layer : {"lines", "areas", "points", "labels"})
        for (const char* ext : {"shp", "shx", "dbf", "prj", "cpg"}) expected["s_" + std::string(layer) + "." + ext];
    expected["s_notes.txt"];
    ASSERT_EQ(all.size(), expected.size());
    for (const auto& [name, text] : expected) EXPECT_TRUE(all.count(name)) << name;
}

TEST_F(ExportDestination, ACommitThatFailsHalfWayPutsEveryReplacedFileBack) {
    // Old files under every name the export writes; a folder in the way of
    // t_points.dbf, which comes after the areas', labels' and lines' files.
    for (const char* layer : {"lines", "areas", "points", "labels"})
        for (const char* ext : {"shp", "shx", "dbf", "prj", "cpg"}) {
            const std::string name = "t_" + std::string(layer) + "." + ext;
            write(name, "old " + name);
        }
    fs::remove(out() / "t_points.dbf");
    fs::create_directory(out() / "t_points.dbf");
    write("t_points.dbf/inside", "kept");
    const auto before = contents();

    const std::optional<EExportError> failed = failure(to("t.shp", true));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Failure(), TExportFailure::CannotWrite);
    EXPECT_EQ(failed->Subject(), (out() / "t_points.dbf").string());
    EXPECT_EQ(std::string(failed->what()), "cannot replace " + (out() / "t_points.dbf").string() + ": Is a directory");
    EXPECT_EQ(contents(), before);  // the old files back, no new one, no staging folder
}

TEST_F(ExportDestination, AFileCreatedWhileTheExportRunsIsNotReplaced) {
    const std::optional<EExportError> refused = failure(to("a.gpkg"), [this](int64_t, int64_t) {
        if (!fs::exists(out() / "a.gpkg")) write("a.gpkg", "theirs");
        return true;
    });
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Failure(), TExportFailure::DestinationExists);
    EXPECT_EQ(contents(), (std::map<std::string, std::string>{{"a.gpkg", "theirs"}}));
}

TEST_F(ExportDestination, ANameOfMaximalLengthWorksAndStaleStagingOfADeadExportIsRemoved) {
    // A staging folder whose export died while committing, an old file moved
    // aside; and one of an export that still runs (its lock is held).
    fs::create_directories(out() / ".orvelle-export-dead01" / "new");
    fs::create_directories(out() / ".orvelle-export-dead01" / "old");
    write(".orvelle-export-dead01/new/o.gpkg", "half written");
    write(".orvelle-export-dead01/old/o.gpkg", "the user's file");
    fs::create_directory(out() / ".orvelle-export-live01");
    const int live = ::open((out() / ".orvelle-export-live01").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    const std::string longest = std::string(250, 'n') + ".gpkg";  // NAME_MAX: 255 bytes
    ASSERT_FALSE(failure(to(longest)));
    ::close(live);

    const auto all = contents();
    EXPECT_EQ(all.at("o.gpkg"), "the user's file");
    EXPECT_EQ(all.at(".orvelle-export-live01"), "<folder>");
    EXPECT_EQ(all.count(".orvelle-export-dead01"), 0u);
    EXPECT_EQ(all.at(longest).substr(0, 15), "SQLite format 3");
    EXPECT_EQ(all.size(), 3u);
}

}  // namespace
