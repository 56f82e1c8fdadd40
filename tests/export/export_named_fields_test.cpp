// The record's meaning under its own field names and the class of every
// feature, read back through GDAL from a GeoPackage of the town fixture.
#include <gtest/gtest.h>

#include <string>

#include "export/map_export.h"
#include "gdal_reading.h"
#include "town_export_test.h"

namespace {

std::string text(const OGRFeature& f, const char* field) {
    const int i = f.GetFieldIndex(field);
    EXPECT_GE(i, 0) << field;
    return i < 0 || f.IsFieldNull(i) ? std::string("(null)") : std::string(f.GetFieldAsString(i));
}

class NamedFields : public TownExportTest {
protected:
    void SetUp() override {
        TownExportTest::SetUp();
        TExportOptions options;
        options.Destination = (out() / "town.gpkg").string();
        ExportMap(*map, options);
        ds = OpenVector(options.Destination);
        ASSERT_TRUE(ds);
    }
    std::unique_ptr<OGRFeature> feature(const char* layer, int id) {
        OGRLayer* l = ds->GetLayerByName(layer);
        EXPECT_TRUE(l) << layer;
        return l ? FindFeature(*l, "id", id) : nullptr;
    }
    DatasetPtr ds;
};

TEST_F(NamedFields, AreasCarryCodesNamesAndBlockNumbersUnderTheirNames) {
    auto municipality = feature("areas", 1);
    ASSERT_TRUE(municipality);
    EXPECT_EQ(text(*municipality, "admin_code"), "13101");
    EXPECT_EQ(text(*municipality, "name"), u8"千代田区");
    EXPECT_EQ(text(*municipality, "chome_code"), "(null)");
    EXPECT_EQ(text(*municipality, "class"), u8"市区町村");

    auto chome = feature("areas", 2);
    ASSERT_TRUE(chome);
    EXPECT_EQ(text(*chome, "admin_code"), "13101");
    EXPECT_EQ(text(*chome, "chome_code"), "001");
    EXPECT_EQ(text(*chome, "name"), u8"丸の内一丁目");
    EXPECT_EQ(text(*chome, "block_no"), "(null)");
    EXPECT_EQ(text(*chome, "class"), u8"大字・町丁目");

    auto block = feature("areas", 4);
    ASSERT_TRUE(block);
    EXPECT_EQ(text(*block, "chome_code"), "001");
    EXPECT_EQ(text(*block, "name"), u8"丸の内一丁目");
    EXPECT_EQ(text(*block, "block_no"), "5,6");
    EXPECT_EQ(text(*block, "class"), u8"街区");
    EXPECT_EQ(text(*block, "values"), u8"[\"13101\",\"001\",\"丸の内一丁目\",\"5\",\"6\"]");  // kept as it was

    auto building = feature("areas", 11);
    ASSERT_TRUE(building);
    EXPECT_EQ(text(*building, "bldg_code"), "3524");
    EXPECT_EQ(text(*building, "name"), u8"千代田小学校");
    EXPECT_EQ(text(*building, "admin_code"), "(null)");
    EXPECT_EQ(text(*building, "class"), u8"公共建物");

    auto park = feature("areas", 12);
    ASSERT_TRUE(park);
    EXPECT_EQ(text(*park, "name"), u8"日比谷公園");
    EXPECT_EQ(text(*park, "class"), u8"都市公園");
}

TEST_F(NamedFields, LinesPointsAndLabelsCarryNamesAliasesAndClasses) {
    auto road = feature("lines", 101);
    ASSERT_TRUE(road);
    EXPECT_EQ(text(*road, "name"), u8"中央通り");
    EXPECT_EQ(text(*road, "alt_names"), "(null)");
    EXPECT_EQ(text(*road, "class"), u8"道路線");

    auto railway = feature("lines", 201);
    ASSERT_TRUE(railway);
    EXPECT_EQ(text(*railway, "name"), u8"JR山手線");
    EXPECT_EQ(text(*railway, "alt_names"), u8"山手線");
    EXPECT_EQ(text(*railway, "class"), u8"鉄道");

    // A chome boundary arc has no heading of its own: the published code name.
    auto boundary = feature("lines", 2);
    ASSERT_TRUE(boundary);
    EXPECT_EQ(text(*boundary, "class"), u8"大字・町・丁目界");
    EXPECT_EQ(text(*boundary, "name"), "(null)");

    auto triangulation = feature("points", 2);
    ASSERT_TRUE(triangulation);
    EXPECT_EQ(text(*triangulation, "name"), u8"丸の内");
    EXPECT_EQ(text(*triangulation, "class"), u8"三角点");

    // A block's label shows its numbers; its name is the chome's.
    OGRLayer* labels = ds->GetLayerByName("labels");
    ASSERT_TRUE(labels);
    labels->SetAttributeFilter("code = 1108 AND id = 4");
    std::unique_ptr<OGRFeature> label(labels->GetNextFeature());
    ASSERT_TRUE(label);
    EXPECT_EQ(text(*label, "text"), "5,6");
    EXPECT_EQ(text(*label, "block_no"), "5,6");
    EXPECT_EQ(text(*label, "name"), u8"丸の内一丁目");
    EXPECT_EQ(text(*label, "class"), u8"街区");
    labels->SetAttributeFilter("code = 2420");
    std::unique_ptr<OGRFeature> station(labels->GetNextFeature());
    ASSERT_TRUE(station);
    EXPECT_EQ(text(*station, "name"), u8"東京");
    EXPECT_EQ(text(*station, "class"), u8"駅");
}

TEST_F(NamedFields, ShapefileFieldNamesFitTenBytesAndKeepTheirNames) {
    TExportOptions options;
    options.Destination = (out() / "town.shp").string();
    options.Layers = {TExportLayer::Polygon};
    ExportMap(*map, options);
    DatasetPtr shp = OpenVector(options.Destination);
    ASSERT_TRUE(shp);
    OGRFeatureDefn* defn = shp->GetLayer(0)->GetLayerDefn();
    for (const char* field : {"admin_code", "chome_code", "name", "block_no", "alt_names", "bldg_code"})
        EXPECT_GE(defn->GetFieldIndex(field), 0) << field;
}

}  // namespace
