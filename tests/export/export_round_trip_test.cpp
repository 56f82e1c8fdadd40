// Exports the town fixture through GDAL and reads it back with GDAL: layer
// counts, geometries to the vertex, texts in UTF-8, the coordinate system.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "gdal_reading.h"
#include "export/map_export.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "view/coordinate_translator.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<TKDKObject> loadTown(const fs::path& root) {
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, testsupport::writeTown(root).string(), errors);
    EXPECT_TRUE(errors.empty());
    return map;
}

int64_t labelCount(const TKDKObject& map) {
    int64_t n = 0;
    for (const TKDKAttribute* a : map.Attributes()) n += a->LabelText.empty() ? 0 : 1;
    return n;
}

int epsgOf(OGRLayer& layer) {
    const OGRSpatialReference* srs = layer.GetSpatialRef();
    if (!srs) return 0;
    OGRSpatialReference copy(*srs);
    copy.AutoIdentifyEPSG();
    const char* code = copy.GetAuthorityCode(nullptr);
    return code ? std::atoi(code) : 0;
}

// The values field as JSON text; GeoJSON gives the array back as a list.
std::string valuesOf(const OGRFeature& f) {
    const int i = f.GetFieldIndex("values");
    if (f.GetFieldDefnRef(i)->GetType() != OFTStringList) return f.GetFieldAsString(i);
    std::string json = "[";
    for (char** v = f.GetFieldAsStringList(i); v && *v; ++v) json += (json.size() > 1 ? ",\"" : "\"") + std::string(*v) + "\"";
    return json + "]";
}

struct Format {
    const char* file;      // what the export is given
    const char* linesAt;   // where the lines layer is read back
};

class RoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(RoundTrip, CountsGeometriesTextsAndCrsComeBack) {
    testsupport::TempDir dir;
    auto map = loadTown(dir.path() / "town");
    TExportOptions options;
    options.Destination = (dir.path() / GetParam().file).string();
    TExportSummary summary = ExportMap(*map, options);

    ASSERT_EQ(summary.Layers.size(), 4u);  // the town has no nodes nor links
    EXPECT_EQ(summary.Layers[0].Name, "lines");
    EXPECT_EQ(summary.Layers[0].Count, static_cast<int64_t>(map->Lines().size()));
    EXPECT_EQ(summary.Layers[3].Name, "labels");
    EXPECT_EQ(summary.Layers[3].Count, labelCount(*map));
    ASSERT_EQ(summary.Epsg, 2451);

    DatasetPtr ds = OpenVector((dir.path() / GetParam().linesAt).string());
    ASSERT_TRUE(ds);
    OGRLayer* lines = ds->GetLayerCount() == 1 ? ds->GetLayer(0) : ds->GetLayerByName("lines");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->GetFeatureCount(), static_cast<GIntBig>(map->Lines().size()));
    EXPECT_EQ(epsgOf(*lines), 2451);

    // The named road centre line, vertex by vertex, x the easting.
    std::unique_ptr<OGRFeature> road = FindFeature(*lines, "id", 101);
    ASSERT_TRUE(road);
    EXPECT_STREQ(road->GetFieldAsString("name"), u8"中央通り");
    EXPECT_STREQ(road->GetFieldAsString("kind"), "L");
    EXPECT_EQ(road->GetFieldAsInteger("code"), 2110);
    EXPECT_EQ(road->GetFieldAsInteger("major"), 21);
    EXPECT_EQ(valuesOf(*road), u8"[\"中央通り\"]");
    EXPECT_STREQ(road->GetFieldAsString("class"), u8"道路線");  // the heading of its details
    const auto* geometry = road->GetGeometryRef()->toLineString();
    ASSERT_EQ(geometry->getNumPoints(), 3);
    EXPECT_DOUBLE_EQ(geometry->getX(0), 10);
    EXPECT_DOUBLE_EQ(geometry->getY(0), 75);
    EXPECT_DOUBLE_EQ(geometry->getX(2), 190);

    // A line without attribute record has nulls, not empty texts.
    std::unique_ptr<OGRFeature> unnamed = FindFeature(*lines, "id", 102);
    ASSERT_TRUE(unnamed);
    EXPECT_TRUE(unnamed->IsFieldNull(unnamed->GetFieldIndex("kind")));
    EXPECT_TRUE(unnamed->IsFieldNull(unnamed->GetFieldIndex("name")));

    // The zone's origin is at 36°N 139°50′E.
    OGRSpatialReference wgs;
    wgs.importFromEPSG(4326);
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference source(*lines->GetSpatialRef());
    source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&source, &wgs));
    double x = 0, y = 0;
    ASSERT_TRUE(ct && ct->Transform(1, &x, &y));
    EXPECT_NEAR(x, 139 + 50.0 / 60, 1e-7);
    EXPECT_NEAR(y, 36, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip,
                         ::testing::Values(Format{"town.gpkg", "town.gpkg"}, Format{"town.geojson", "town_lines.geojson"},
                                           Format{"town.shp", "town_lines.shp"}),
                         [](const auto& info) { return fs::path(info.param.file).extension().string().substr(1); });

TEST(Export, AreasAndLabelsCarryTheirOutlinesAndLabelTexts) {
    testsupport::TempDir dir;
    auto map = loadTown(dir.path() / "town");
    TExportOptions options;
    options.Destination = (dir.path() / "town.gpkg").string();
    ExportMap(*map, options);
    DatasetPtr ds = OpenVector(options.Destination);
    ASSERT_TRUE(ds);

    OGRLayer* areas = ds->GetLayerByName("areas");
    ASSERT_TRUE(areas);
    std::unique_ptr<OGRFeature> school = FindFeature(*areas, "id", 11);
    ASSERT_TRUE(school);
    const OGRLinearRing* ring = school->GetGeometryRef()->toPolygon()->getExteriorRing();
    ASSERT_EQ(ring->getNumPoints(), 5);  // the rectangle 30..50, closed
    OGREnvelope box;
    ring->getEnvelope(&box);
    EXPECT_DOUBLE_EQ(box.MinX, 30);
    EXPECT_DOUBLE_EQ(box.MaxY, 50);
    EXPECT_DOUBLE_EQ(school->GetFieldAsDouble("rep_x"), 40);
    EXPECT_STREQ(school->GetFieldAsString("arc_refs"), "[301]");

    OGRLayer* labels = ds->GetLayerByName("labels");
    ASSERT_TRUE(labels);
    std::unique_ptr<OGRFeature> station = FindFeature(*labels, "code", 2420);
    ASSERT_TRUE(station);
    EXPECT_STREQ(station->GetFieldAsString("text"), u8"東京");
    EXPECT_STREQ(station->GetFieldAsString("color"), "#800000");  // clMaroon
    EXPECT_EQ(station->GetFieldAsInteger("id"), 1);  // the point the record names
    const OGRPoint* at = station->GetGeometryRef()->toPoint();
    EXPECT_DOUBLE_EQ(at->getX(), 40);
    EXPECT_DOUBLE_EQ(at->getY(), 100);
}

TEST(Export, ReprojectsLikeTheViewersOwnTranslator) {
    testsupport::TempDir dir;
    auto map = loadTown(dir.path() / "town");
    TExportOptions options;
    options.Destination = (dir.path() / "town.gpkg").string();
    options.ToEpsg = 4326;
    options.Layers = {TExportLayer::Point};
    TExportSummary summary = ExportMap(*map, options);
    EXPECT_EQ(summary.Epsg, 4326);

    TCoordinateTranslator translator;
    translator.SetSource(TCoordsFormat::cfProjectedJGD09);
    translator.SetTarget(TCoordsFormat::cfGeodeticWGS);
    const TGeoPoint2D expected = translator.Transform({100, 65});  // the triangulation point

    DatasetPtr ds = OpenVector(options.Destination);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetLayerCount(), 1);
    OGRLayer* points = ds->GetLayerByName("points");
    ASSERT_TRUE(points);
    EXPECT_EQ(epsgOf(*points), 4326);
    std::unique_ptr<OGRFeature> tp = FindFeature(*points, "id", 2);
    ASSERT_TRUE(tp);
    const OGRPoint* p = tp->GetGeometryRef()->toPoint();
    EXPECT_NEAR(p->getX(), expected.X / kGeographicUnitsPerDegree, 1e-8);
    EXPECT_NEAR(p->getY(), expected.Y / kGeographicUnitsPerDegree, 1e-8);
}

}  // namespace
