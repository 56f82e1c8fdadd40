// The shipped grids open with their nodes; a damaged, foreign or missing grid
// is refused with a message that names the file and what is wrong.
#include "datum/grid_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "datum/datum_grid_error.h"
#include "datum/grid_location.h"
#include "datum/gsi_grids.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string refusal(const fs::path& path, const TGridFileExpectation& expected) {
    try {
        ReadDatumGrid(path, expected);
    } catch (const EDatumGridError& e) {
        return e.what();
    }
    return "accepted";
}

}  // namespace

TEST(GsiGrids, OpenWithTheirParametersAndTheirGaps) {
    const TDatumGrid& tky = Tky2JgdGrid();
    // Near Tokyo (35°40'30" N, 139°45' E) the shift is about +11.6", -11.6".
    const TGridLayout& l = tky.Layout();
    const TGridOffset tokyo = tky.Node(static_cast<int>((139.75 * 3600 - l.West) / 45),
                                       static_cast<int>((35.675 * 3600 - l.South) / 30));
    EXPECT_NEAR(tokyo.Lat, 11.6, 0.3);
    EXPECT_NEAR(tokyo.Lon, -11.6, 0.3);
    // Chubu Centrair airport, reclaimed land: no parameter.
    TGridOffset o;
    EXPECT_FALSE(tky.Interpolate(136.8050, 34.8584, true, o));
    EXPECT_LT(tky.StoredBytes(), 20u << 20);  // well below the 38 MB of the full rectangle

    // Sendai moved about 3.3 m; Osaka lies outside the correction.
    const TDatumGrid& correction = Touhoku2011Grid();
    ASSERT_TRUE(correction.Interpolate(140.8719, 38.2601, false, o));
    EXPECT_GT(std::hypot(o.Lat * 30.9, o.Lon * 24.3), 2.0);
    EXPECT_FALSE(correction.Interpolate(135.5023, 34.6937, false, o));
}

TEST(GridFile, ADamagedOrForeignGridIsRefusedWithTheReason) {
    const testsupport::TempDir dir;
    const fs::path good = FindGridFile(Tky2JgdFile().FileName);

    const fs::path flipped = dir.path() / "flipped.tif";
    fs::copy_file(good, flipped);
    {
        std::fstream f(flipped, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100000);
        f.put('\x5a');
    }
    const std::string damaged = refusal(flipped, Tky2JgdFile());
    EXPECT_NE(damaged.find(flipped.string()), std::string::npos) << damaged;
    EXPECT_NE(damaged.find("is damaged or not GSI's grid: its SHA-256 is"), std::string::npos) << damaged;

    const fs::path cut = dir.path() / "cut.tif";
    fs::copy_file(good, cut);
    fs::resize_file(cut, 1000);
    EXPECT_NE(refusal(cut, Tky2JgdFile()).find("it has 1000 bytes, expected 1734523"), std::string::npos);

    // The other grid in this one's place.
    const std::string foreign = refusal(FindGridFile(Touhoku2011File().FileName), Tky2JgdFile());
    EXPECT_NE(foreign.find("is damaged or not GSI's grid"), std::string::npos) << foreign;

    EXPECT_NE(refusal(dir.path() / "none.tif", Tky2JgdFile()).find("cannot be read"), std::string::npos);
}

TEST(GridLocation, AMissingGridNamesTheFoldersLookedIn) {
    const testsupport::TempDir empty;
    const char* before = std::getenv("ORVELLE_GRIDS");
    const std::string saved = before ? before : "";
    ::setenv("ORVELLE_GRIDS", empty.path().c_str(), 1);
    std::string message;
    try {
        FindGridFile("TKY2JGD.tif");
    } catch (const EDatumGridError& e) {
        message = e.what();
    }
    before ? ::setenv("ORVELLE_GRIDS", saved.c_str(), 1) : ::unsetenv("ORVELLE_GRIDS");
    EXPECT_EQ(message, "datum grid TKY2JGD.tif not found (looked in " + empty.path().string() +
                           "); reinstall Orvelle or set ORVELLE_GRIDS to the folder that holds it");
}
