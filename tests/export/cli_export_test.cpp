// orvelle-cli export as a program on the bundled sample: one line per layer,
// the totals, a GeoPackage that GDAL lists with those counts in EPSG:2451.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "gdal_reading.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

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
    EXPECT_EQ(layers, ds->GetLayerCount());
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

}  // namespace
