// The export reprojects a Tokyo-datum copy of the sample exactly as `coords`
// converts the same points, in both datum-shift modes, into geographic and
// plane systems of JGD2000 and JGD2011.
#include <gtest/gtest.h>

#include <ogrsf_frmts.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/tokyo_sample.h"

namespace fs = std::filesystem;

namespace {

using testsupport::CliResult;
using testsupport::ShellQuoted;

struct XY {
    double X, Y;
};

// Every vertex of the lines layer, in file order.
std::vector<XY> lineVertices(const fs::path& file) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    std::vector<XY> out;
    if (!ds) return out;
    OGRLayer* lines = ds->GetLayerByName("lines");
    if (!lines) return out;
    for (auto& feature : *lines) {
        const OGRLineString* line = feature->GetGeometryRef()->toLineString();
        for (int i = 0; i < line->getNumPoints(); ++i) out.push_back({line->getX(i), line->getY(i)});
    }
    return out;
}

CliResult exportTo(const std::string& tokyo, const fs::path& file, const std::string& options) {
    return testsupport::RunProgram(ORVELLE_CLI, "export " + ShellQuoted(tokyo) + " " + ShellQuoted(file.string()) +
                                                    " --layers lines " + options);
}

}  // namespace

TEST(CliExportDatumShift, ExportedVerticesEqualCoordsInBothModes) {
    const testsupport::TempDir dir;
    const std::string tokyo = testsupport::TokyoDatumCopy(ORVELLE_SAMPLE, dir.path()).string();
    const CliResult own = exportTo(tokyo, dir.path() / "own.gpkg", "");
    ASSERT_EQ(own.status, 0) << own.err;
    const std::vector<XY> original = lineVertices(dir.path() / "own.gpkg");
    ASSERT_GT(original.size(), 1000u);

    for (const char* shift : {"helmert", "grid"}) {
        for (const char* target : {"EPSG:4612", "EPSG:2451", "EPSG:6668", "EPSG:6677"}) {
            SCOPED_TRACE(std::string(shift) + " " + target);
            const fs::path file = dir.path() / (std::string(shift) + "-" + (target + 5) + ".gpkg");
            const CliResult exported = exportTo(tokyo, file, std::string("--datum-shift ") + shift + " --to-crs " + target);
            ASSERT_EQ(exported.status, 0) << exported.err;
            const std::vector<XY> moved = lineVertices(file);
            ASSERT_EQ(moved.size(), original.size());
            const bool geographic = std::string(target) == "EPSG:4612" || std::string(target) == "EPSG:6668";
            // Vertices spread over the whole file, each through coords.
            for (size_t i = 0; i < original.size(); i += original.size() / 3) {
                std::ostringstream arguments;
                arguments.precision(17);
                arguments << "coords --datum-shift " << shift << " --from EPSG:30169 --to " << target << " "
                          << original[i].X << " " << original[i].Y;
                const CliResult c = testsupport::RunProgram(ORVELLE_CLI, arguments.str());
                ASSERT_EQ(c.status, 0) << c.err;
                std::istringstream values(c.out);
                XY expected{NAN, NAN};
                values >> expected.X >> expected.Y;
                const double metresPerX = geographic ? 111000 * std::cos(expected.Y * M_PI / 180) : 1;
                const double metresPerY = geographic ? 111000 : 1;
                EXPECT_LT(std::hypot((moved[i].X - expected.X) * metresPerX, (moved[i].Y - expected.Y) * metresPerY),
                          1e-3)
                    << "vertex " << i;
            }
        }
    }
}
