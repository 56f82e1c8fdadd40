// orvelle-cli's choice of datum shift: GSI's published TKY2JGD results
// through coords, the points the grid has no parameter for, a missing grid,
// EPSG codes, locate on a Tokyo-datum copy of the sample, and the default
// outputs as they were before the grid existed.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/tokyo_sample.h"

namespace {

using testsupport::CliResult;
using testsupport::ShellQuoted;

CliResult cli(const std::string& arguments) { return testsupport::RunProgram(ORVELLE_CLI, arguments); }

std::pair<double, double> twoNumbers(const std::string& text) {
    std::istringstream in(text);
    double a = NAN, b = NAN;
    in >> a >> b;
    return {a, b};
}

// Ground distance between two longitude, latitude pairs in degrees.
double metresApart(std::pair<double, double> a, std::pair<double, double> b) {
    const double north = (a.second - b.second) * 111000;
    const double east = (a.first - b.first) * 111000 * std::cos(a.second * M_PI / 180);
    return std::hypot(north, east);
}

const std::string kTokyoToJgd2000 = "coords --from EPSG:4301 --to EPSG:4612 ";

}  // namespace

// The two published checks of GSI's conversion (Tokyo datum to JGD2000).
TEST(CliDatumShift, GridGivesThePublishedTky2JgdResultsWithinAMillimetre) {
    struct Check {
        const char* Tokyo;  // longitude latitude
        std::pair<double, double> Published;
    } checks[] = {
        {"140.091149167 36.100578889", {140.08787082896106, 36.10377077065109}},  // Tsukuba
        {"140.026224 38.546789", {140.022853531, 38.549703478}},                  // Yamagata
    };
    for (const Check& c : checks) {
        SCOPED_TRACE(c.Tokyo);
        const CliResult grid = cli(kTokyoToJgd2000 + "--datum-shift grid " + c.Tokyo);
        ASSERT_EQ(grid.status, 0) << grid.err;
        EXPECT_EQ(grid.err, "");
        EXPECT_LT(metresApart(twoNumbers(grid.out), c.Published), 1e-3) << grid.out;
        // The three-parameter shift is metres away from GSI's result.
        const CliResult helmert = cli(kTokyoToJgd2000 + c.Tokyo);
        ASSERT_EQ(helmert.status, 0);
        EXPECT_GT(metresApart(twoNumbers(helmert.out), c.Published), 1.0) << helmert.out;
    }
}

// Chubu Centrair airport lies on reclaimed land without parameters: the
// three-parameter shift converts it, and standard error says so.
TEST(CliDatumShift, APointWithoutParameterGoesByTheThreeParameterShiftAndIsCounted) {
    const std::string centrair = "136.8081 34.8552";
    const CliResult grid = cli(kTokyoToJgd2000 + "--datum-shift grid " + centrair);
    const CliResult helmert = cli(kTokyoToJgd2000 + "--datum-shift helmert " + centrair);
    ASSERT_EQ(grid.status, 0) << grid.err;
    EXPECT_EQ(grid.out, helmert.out);
    EXPECT_EQ(grid.err, "orvelle-cli coords: 1 point converted with the three-parameter shift: "
                        "the TKY2JGD grid has no parameter there\n");
    EXPECT_EQ(helmert.err, "");
}

TEST(CliDatumShift, AMissingGridIsReportedAndNothingIsConverted) {
    const testsupport::TempDir empty;
    const std::string withoutGrids = "ORVELLE_GRIDS=" + ShellQuoted(empty.path().string()) + " " + ORVELLE_CLI;
    const CliResult grid = testsupport::RunProgram(withoutGrids, kTokyoToJgd2000 + "--datum-shift grid 140 36");
    EXPECT_EQ(grid.status, 1);
    EXPECT_EQ(grid.out, "");
    EXPECT_NE(grid.err.find("orvelle-cli coords: datum grid TKY2JGD.tif not found (looked in " +
                            empty.path().string() + ")"),
              std::string::npos)
        << grid.err;
    const CliResult jgd2011 = testsupport::RunProgram(withoutGrids, "coords --from EPSG:4612 --to EPSG:6668 140 36");
    EXPECT_EQ(jgd2011.status, 1);
    EXPECT_NE(jgd2011.err.find("touhokutaiheiyouoki2011.tif not found"), std::string::npos) << jgd2011.err;
    EXPECT_EQ(testsupport::RunProgram(withoutGrids, kTokyoToJgd2000 + "--datum-shift helmert 140 36").status, 0);
    EXPECT_EQ(cli(kTokyoToJgd2000 + "--datum-shift bessel 140 36").status, 2);
}

TEST(CliDatumShift, EpsgCodesCountDegreesAndMetres) {
    EXPECT_EQ(cli("coords --from EPSG:2451 --to EPSG:4612 0 0").out, "139.833333333 36.000000000\n");
    EXPECT_EQ(cli("coords --from epsg:6677 --to EPSG:6668 0 0").out, "139.833333333 36.000000000\n");
    EXPECT_EQ(cli("coords --from EPSG:4612 --to cfGeodeticJGD 139.5 36.25").out, "50220000.000000 13050000.000000\n");
    // The 2011 correction at Sendai is about 3.3 m, in Tokyo about 0.3 m.
    for (const auto& [place, low, high] : {std::tuple{"140.8719 38.2601", 2.5, 4.5}, std::tuple{"139.7671 35.6812", 0.1, 0.6}}) {
        const CliResult moved = cli(std::string("coords --from EPSG:4612 --to EPSG:6668 ") + place);
        ASSERT_EQ(moved.status, 0) << moved.err;
        const double metres = metresApart(twoNumbers(moved.out), twoNumbers(place));
        EXPECT_GT(metres, low) << place;
        EXPECT_LT(metres, high) << place;
    }
    EXPECT_EQ(cli("coords --from EPSG:3857 --to EPSG:4612 0 0").status, 2);
}

// On a Tokyo-datum copy of the sample, locate puts a latitude and longitude
// where coords puts it, in both modes, and the modes differ by metres.
TEST(CliDatumShift, LocateAgreesWithCoordsInBothModes) {
    const testsupport::TempDir dir;
    const std::string tokyo = ShellQuoted(testsupport::TokyoDatumCopy(ORVELLE_SAMPLE, dir.path()).string());
    std::pair<double, double> at[2];
    for (const char* shift : {"helmert", "grid"}) {
        SCOPED_TRACE(shift);
        const CliResult found = cli(std::string("locate --datum-shift ") + shift + " " + tokyo + " '35.665, 139.703'");
        ASSERT_EQ(found.status, 0) << found.err;
        ASSERT_EQ(found.out.rfind("point\t", 0), 0u) << found.out;
        const auto point = twoNumbers(found.out.substr(6));
        const CliResult expected =
            cli(std::string("coords --datum-shift ") + shift + " --from EPSG:4326 --to EPSG:30169 139.703 35.665");
        const auto metres = twoNumbers(expected.out);
        EXPECT_NEAR(point.first, metres.first, 0.006);
        EXPECT_NEAR(point.second, metres.second, 0.006);
        at[shift[0] == 'g'] = point;
    }
    const double apart = std::hypot(at[0].first - at[1].first, at[0].second - at[1].second);
    EXPECT_GT(apart, 1.0);
    EXPECT_LT(apart, 10.0);
}

// The default (and helmert) outputs are the bytes they were before the grid
// existed, recorded from the previous release of orvelle-cli.
TEST(CliDatumShift, DefaultOutputsAreUnchanged) {
    const testsupport::TempDir dir;
    const std::string tokyo = ShellQuoted(testsupport::TokyoDatumCopy(ORVELLE_SAMPLE, dir.path()).string());
    const std::pair<std::string, std::string> recorded[] = {
        {"coords --from cfProjectedTKY09 --to cfGeodeticWGS -11937.8 -37453.2", "50291369.758450 12839606.903701\n"},
        {"coords --from cfProjectedTKY09 --to cfProjectedJGD09 -11937.8 -37453.2", "-12229.667782 -37094.341752\n"},
        {"coords --from cfGeodeticWGS --to cfProjectedTKY09 50292000 12839400", "-11779.388711 -37517.181003\n"},
        {"coords --from cfGeodeticTKY --to cfGeodeticJGD 50400000 13000000", "50398827.434437 13001160.703962\n"},
        {"locate " + tokyo + " '35.665, 139.703'",
         "point\t-11507.78\t-37517.55\t-11507.78\t-37517.55\t-11507.78\t-37517.55\t\n"},
    };
    for (const auto& [arguments, output] : recorded) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(cli(arguments).out, output);
        const size_t space = arguments.find(' ');
        EXPECT_EQ(cli(arguments.substr(0, space) + " --datum-shift helmert" + arguments.substr(space)).out, output);
    }
}
