// Texts in Shift_JIS (CP932): a Shapefile read back through GDAL gives the
// texts of the UTF-8 one, the .cpg says "932", CSV and MapInfo take the
// encoding too, and a text CP932 cannot hold fails the export by name.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "export/map_export.h"
#include "gdal_reading.h"
#include "town_export_test.h"

namespace fs = std::filesystem;

namespace {

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every string field of every feature, "id/field" -> text, as GDAL reads it.
std::map<std::string, std::string> textsOf(const fs::path& file, const char* encoding = nullptr) {
    GDALAllRegister();
    const std::string option = encoding ? std::string("ENCODING=") + encoding : std::string();
    const char* const options[] = {encoding ? option.c_str() : nullptr, nullptr};
    DatasetPtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, options, nullptr));
    std::map<std::string, std::string> texts;
    EXPECT_TRUE(ds) << file;
    if (!ds) return texts;
    OGRLayer* layer = ds->GetLayer(0);
    for (auto& f : *layer)
        for (int i = 0; i < f->GetFieldCount(); ++i)
            if (f->GetFieldDefnRef(i)->GetType() == OFTString && f->IsFieldSetAndNotNull(i))
                texts[std::string(f->GetFieldAsString("id")) + "/" + f->GetFieldDefnRef(i)->GetNameRef()] =
                    f->GetFieldAsString(i);
    return texts;
}

class Encoding : public TownExportTest {
protected:
    TExportSummary exportAs(const std::string& name, TExportEncoding encoding) {
        TExportOptions options;
        options.Destination = (out() / name).string();
        options.Encoding = encoding;
        return ExportMap(*map, options);
    }
};

TEST_F(Encoding, AShiftJisShapefileReadsBackAsTheUtf8One) {
    exportAs("utf8.shp", TExportEncoding::UTF8);
    exportAs("sjis.shp", TExportEncoding::CP932);
    EXPECT_EQ(fileText(out() / "sjis_areas.cpg"), "932");
    EXPECT_EQ(fileText(out() / "utf8_areas.cpg"), "UTF-8");
    // The bytes are Shift_JIS: 千代田区 is 90 E7 91 E3 93 63 8B E6.
    EXPECT_NE(fileText(out() / "sjis_areas.dbf").find("\x90\xE7\x91\xE3\x93\x63\x8B\xE6"), std::string::npos);
    for (const char* layer : {"lines", "areas", "points", "labels"}) {
        const auto utf8 = textsOf(out() / ("utf8_" + std::string(layer) + ".shp"));
        EXPECT_FALSE(utf8.empty()) << layer;
        EXPECT_EQ(textsOf(out() / ("sjis_" + std::string(layer) + ".shp"), "CP932"), utf8) << layer;
        // The .cpg alone tells GDAL the encoding.
        EXPECT_EQ(textsOf(out() / ("sjis_" + std::string(layer) + ".shp")), utf8) << layer;
    }
}

TEST_F(Encoding, CsvAndMapInfoTakeTheEncodingOtherFormatsRefuseIt) {
    exportAs("sjis.csv", TExportEncoding::CP932);
    EXPECT_NE(fileText(out() / "sjis_areas.csv").find("\x90\xE7\x91\xE3\x93\x63\x8B\xE6"), std::string::npos);
    EXPECT_EQ(fileText(out() / "sjis_areas.csv").find(u8"千代田区"), std::string::npos);

    exportAs("sjis.tab", TExportEncoding::CP932);
    EXPECT_NE(fileText(out() / "sjis_areas.tab").find("WindowsJapanese"), std::string::npos);
    DatasetPtr tab = OpenVector((out() / "sjis_areas.tab").string());
    ASSERT_TRUE(tab);
    std::unique_ptr<OGRFeature> municipality = FindFeature(*tab->GetLayer(0), "id", 1);
    ASSERT_TRUE(municipality);
    EXPECT_STREQ(municipality->GetFieldAsString("name"), u8"千代田区");

    try {
        exportAs("town.gpkg", TExportEncoding::CP932);
        ADD_FAILURE() << "GeoPackage took CP932";
    } catch (const EExportError& e) {
        EXPECT_NE(e.Utf8Text().find("format GPKG writes UTF-8 only"), std::string::npos) << e.Utf8Text();
    }
    EXPECT_FALSE(fs::exists(out() / "town.gpkg"));
}

TEST_F(Encoding, ATextOutsideShiftJisFailsNamingTheFeatureAndWritesNothing) {
    // A road name with a byte no Shift_JIS character has: read as U+FFFD.
    testsupport::TempDir other;
    const fs::path root = other.path() / "town";
    testsupport::writeTown(root);
    const fs::path atr = root / "09LD1001" / "DOURO" / "DOURO.ATR";
    ASSERT_TRUE(fs::exists(atr));
    std::ofstream(atr, std::ios::binary | std::ios::app) << "L2110,102,0,AB\xFF" "C\r\n";
    TErrorList errors;
    map.reset();
    LoadDataPath(map, root.string(), errors);
    ASSERT_TRUE(map);

    for (const char* name : {"bad.shp", "bad.csv", "bad.dxf"}) {
        try {
            exportAs(name, TExportEncoding::CP932);
            ADD_FAILURE() << name << " written";
        } catch (const EExportError& e) {
            EXPECT_NE(e.Utf8Text().find("(mesh "), std::string::npos) << e.Utf8Text();
            EXPECT_NE(e.Utf8Text().find(", id 102)"), std::string::npos) << e.Utf8Text();
            EXPECT_NE(e.Utf8Text().find(u8"AB\uFFFDC"), std::string::npos) << e.Utf8Text();
            EXPECT_NE(e.Utf8Text().find("CP932 cannot hold"), std::string::npos) << e.Utf8Text();
        }
    }
    EXPECT_TRUE(fs::is_empty(out()));
    // In UTF-8 the same map is written.
    EXPECT_GT(exportAs("good.shp", TExportEncoding::UTF8).Total, 0);
}

}  // namespace
