// A DXF drawing read back through GDAL's DXF reader: one DXF layer per
// feature code named by code and name, polylines for lines and outlines,
// the labels and road names as texts, Japanese readable in either encoding.
#include <gtest/gtest.h>

#include <cpl_conv.h>

#include <map>
#include <set>
#include <string>

#include "export/map_export.h"
#include "gdal_reading.h"
#include "town_export_test.h"

namespace fs = std::filesystem;

namespace {

struct Entity {
    std::string layer, subclasses, text, style;
    std::unique_ptr<OGRGeometry> geometry;
};

// The drawing's entities as GDAL reads them; `utf8`: a UTF-8 drawing, which
// GDAL 3.6 reads only when told.
std::vector<Entity> entitiesOf(const fs::path& file, bool utf8) {
    CPLSetThreadLocalConfigOption("DXF_ENCODING", utf8 ? "UTF-8" : nullptr);
    DatasetPtr ds = OpenVector(file.string());
    CPLSetThreadLocalConfigOption("DXF_ENCODING", nullptr);
    std::vector<Entity> entities;
    EXPECT_TRUE(ds && ds->GetLayerCount() == 1);
    if (!ds) return entities;
    for (auto& f : *ds->GetLayer(0)) {
        Entity e{f->GetFieldAsString("Layer"), f->GetFieldAsString("SubClasses"), f->GetFieldAsString("Text"),
                 f->GetStyleString() ? f->GetStyleString() : "", nullptr};
        if (f->GetGeometryRef()) e.geometry.reset(f->GetGeometryRef()->clone());
        entities.push_back(std::move(e));
    }
    return entities;
}

class Drawing : public TownExportTest {
protected:
    TExportSummary exportAs(const std::string& name, TExportEncoding encoding, const std::string& format = {}) {
        TExportOptions options;
        options.Destination = (out() / name).string();
        options.Encoding = encoding;
        options.Format = format;
        return ExportMap(*map, options);
    }
};

TEST_F(Drawing, OneLayerPerCodeLinesAndOutlinesAsPolylinesLabelsAsTexts) {
    for (TExportEncoding encoding : {TExportEncoding::CP932, TExportEncoding::UTF8}) {
        const bool utf8 = encoding == TExportEncoding::UTF8;
        const std::string name = utf8 ? "utf8.dxf" : "sjis.dxf";
        const TExportSummary summary = exportAs(name, encoding);
        EXPECT_EQ(summary.Driver, "DXF");
        ASSERT_EQ(summary.Files.size(), 1u);  // one drawing, all layers in it
        const std::vector<Entity> entities = entitiesOf(out() / name, utf8);
        EXPECT_EQ(static_cast<int64_t>(entities.size()), summary.Total);

        std::set<std::string> layers;
        std::map<std::string, std::string> textLayer;  // text -> its layer
        size_t polylines = 0;
        for (const Entity& e : entities) {
            layers.insert(e.layer);
            if (e.subclasses.find("AcDbMText") != std::string::npos) textLayer[e.text] = e.layer;
            if (e.geometry && wkbFlatten(e.geometry->getGeometryType()) == wkbLineString) ++polylines;
        }
        // Codes of the town: 1105 1106 1108 2110 2300 3001 3500 6242 2420 7301, and the labels' 3524.
        EXPECT_EQ(layers, (std::set<std::string>{u8"1105 市区町村", u8"1106 大字・町・丁目界", u8"1108 街区",
                                                 u8"2110 道路線", u8"2300 鉄道", u8"3001 普通建物", u8"3500 建物記号",
                                                 u8"3524 学校", u8"6242 都市公園", u8"2420 駅", u8"7301 三角点"}))
            << name;
        EXPECT_EQ(polylines, map->Lines().size() + map->Polygons().size());
        EXPECT_EQ(textLayer[u8"丸の内一丁目"], u8"1106 大字・町・丁目界") << name;
        EXPECT_EQ(textLayer["5,6"], u8"1108 街区");
        EXPECT_EQ(textLayer[u8"東京"], u8"2420 駅");
        EXPECT_EQ(textLayer[u8"千代田小学校"], u8"3524 学校");
        EXPECT_EQ(textLayer[u8"中央通り"], u8"2110 道路線");  // the road's name at its middle
    }
}

TEST_F(Drawing, TextsHaveTheirHeightsPlaceAndColourInThePlaneMetres) {
    exportAs("town.dxf", TExportEncoding::CP932);
    int road = 0, station = 0, railway = 0;
    for (const Entity& e : entitiesOf(out() / "town.dxf", false)) {
        if (e.text == u8"中央通り") {
            ++road;
            // Halfway along (10,75)-(100,75)-(190,75), 10 m high (the record's height), level.
            const OGRPoint* at = e.geometry->toPoint();
            EXPECT_DOUBLE_EQ(at->getX(), 100);
            EXPECT_DOUBLE_EQ(at->getY(), 75);
            EXPECT_NE(e.style.find("s:10g"), std::string::npos) << e.style;
        } else if (e.text == u8"東京") {
            ++station;
            EXPECT_DOUBLE_EQ(e.geometry->toPoint()->getX(), 40);
            EXPECT_NE(e.style.find("s:15g"), std::string::npos) << e.style;
        } else if (e.layer == u8"2300 鉄道" && e.geometry) {
            ++railway;
            EXPECT_NE(e.style.find("c:#ff0000"), std::string::npos) << e.style;  // palette 1, red
        }
    }
    EXPECT_EQ(road, 1);
    EXPECT_EQ(station, 1);
    EXPECT_EQ(railway, 1);
}

TEST_F(Drawing, ADrawingHoldsNoNodesOrLinksAndAnUnknownExtensionIsRefused) {
    TExportOptions options;
    options.Destination = (out() / "town.dxf").string();
    options.Layers = {TExportLayer::Node};
    EXPECT_THROW(ExportMap(*map, options), EExportError);

    for (const char* name : {"town.dxf.bak", "town"}) {
        options = {};
        options.Destination = (out() / name).string();
        try {
            ExportMap(*map, options);
            ADD_FAILURE() << name << " written";
        } catch (const EExportError& e) {
            EXPECT_NE(e.Utf8Text().find("give the format with --format"), std::string::npos) << e.Utf8Text();
        }
    }
    EXPECT_TRUE(fs::is_empty(out()));
    // With --format the name is the user's.
    EXPECT_EQ(exportAs("drawing.cad", TExportEncoding::UTF8, "DXF").Driver, "DXF");
    EXPECT_TRUE(fs::exists(out() / "drawing.cad"));
}

}  // namespace
