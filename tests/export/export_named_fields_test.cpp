// The record's meaning under its own field names and the class of every
// feature, read back through GDAL from a GeoPackage of the town fixture.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

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

using FieldTexts = std::initializer_list<std::pair<const char*, std::string>>;

// Each field of `f` reads as expected ("(null)" for a null field).
void expectFields(const OGRFeature* f, const std::string& what, FieldTexts expected) {
    ASSERT_TRUE(f) << what;
    for (const auto& [field, value] : expected) EXPECT_EQ(text(*f, field), value) << what << ", field " << field;
}

TEST_F(NamedFields, AreasCarryCodesNamesAndBlockNumbersUnderTheirNames) {
    expectFields(feature("areas", 1).get(), "municipality",
                 {{"admin_code", "13101"}, {"name", u8"千代田区"}, {"chome_code", "(null)"}, {"class", u8"市区町村"}});
    expectFields(feature("areas", 2).get(), "chome",
                 {{"admin_code", "13101"}, {"chome_code", "001"}, {"name", u8"丸の内一丁目"}, {"block_no", "(null)"},
                  {"class", u8"大字・町丁目"}});
    expectFields(feature("areas", 4).get(), "block",
                 {{"chome_code", "001"}, {"name", u8"丸の内一丁目"}, {"block_no", "5,6"}, {"class", u8"街区"},
                  {"values", u8"[\"13101\",\"001\",\"丸の内一丁目\",\"5\",\"6\"]"}});  // values kept as they were
    expectFields(feature("areas", 11).get(), "building",
                 {{"bldg_code", "3524"}, {"name", u8"千代田小学校"}, {"admin_code", "(null)"}, {"class", u8"公共建物"}});
    expectFields(feature("areas", 12).get(), "park", {{"name", u8"日比谷公園"}, {"class", u8"都市公園"}});
}

TEST_F(NamedFields, LinesPointsAndLabelsCarryNamesAliasesAndClasses) {
    expectFields(feature("lines", 101).get(), "road",
                 {{"name", u8"中央通り"}, {"alt_names", "(null)"}, {"class", u8"道路線"}});
    expectFields(feature("lines", 201).get(), "railway",
                 {{"name", u8"JR山手線"}, {"alt_names", u8"山手線"}, {"class", u8"鉄道"}});
    // A chome boundary arc has no heading of its own: the published code name.
    expectFields(feature("lines", 2).get(), "chome boundary", {{"class", u8"大字・町・丁目界"}, {"name", "(null)"}});
    expectFields(feature("points", 2).get(), "triangulation point", {{"name", u8"丸の内"}, {"class", u8"三角点"}});

    // A block's label shows its numbers; its name is the chome's.
    OGRLayer* labels = ds->GetLayerByName("labels");
    ASSERT_TRUE(labels);
    labels->SetAttributeFilter("code = 1108 AND id = 4");
    std::unique_ptr<OGRFeature> label(labels->GetNextFeature());
    expectFields(label.get(), "block label",
                 {{"text", "5,6"}, {"block_no", "5,6"}, {"name", u8"丸の内一丁目"}, {"class", u8"街区"}});
    labels->SetAttributeFilter("code = 2420");
    std::unique_ptr<OGRFeature> station(labels->GetNextFeature());
    expectFields(station.get(), "station label", {{"name", u8"東京"}, {"class", u8"駅"}});
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
