// The details text of a feature: a heading naming its kind, one labelled line
// per attribute value and a separator, every line ending in CR LF.
#include <optional>

#include "base/number_text.h"
#include "base/sjis.h"
#include "queries/map_queries.h"
#include "tables/code_names.h"
#include "tables/feature_codes.h"

namespace {

struct DetailTexts {
    std::string separator = std::string(30, '-') + "\r\n";
    std::string name = sjis::fromUtf8(u8"名称=");
    std::string alias = sjis::fromUtf8(u8"別称=");
    std::string road = sjis::fromUtf8(u8"道路線");
    std::string railway = sjis::fromUtf8(u8"鉄道");
    std::string riverCentre = sjis::fromUtf8(u8"河川中心線");
    std::string municipality = sjis::fromUtf8(u8"市区町村");
    std::string chome = sjis::fromUtf8(u8"大字・町丁目");
    std::string block = sjis::fromUtf8(u8"街区");
    std::string publicBuilding = sjis::fromUtf8(u8"公共建物");
    std::string urbanPark = sjis::fromUtf8(u8"都市公園");
    std::string school = sjis::fromUtf8(u8"学校敷地");
    std::string shrine = sjis::fromUtf8(u8"寺社・寺院境内");
    std::string cemetery = sjis::fromUtf8(u8"墓地");
    std::string otherGround = sjis::fromUtf8(u8"その他の場地");
    std::string river = sjis::fromUtf8(u8"河川");
    std::string lake = sjis::fromUtf8(u8"池湖");
    std::string riverArea = sjis::fromUtf8(u8"河川の区域");
    std::string station = sjis::fromUtf8(u8"駅");
    std::string triangulation = sjis::fromUtf8(u8"三角点");
    std::string jisCode = sjis::fromUtf8(u8"行政JISコード=");
    std::string municipalityName = sjis::fromUtf8(u8"市区町村名=");
    std::string chomeCode = sjis::fromUtf8(u8"町丁目名コード=");
    std::string chomeName = sjis::fromUtf8(u8"大字・町丁目名=");
    std::string blockNumber = sjis::fromUtf8(u8"街区符号");
    std::string buildingCode = sjis::fromUtf8(u8"公共建物コード=");
    std::vector<std::string> triangulationLabels = {
        sjis::fromUtf8(u8"3次メッシュ="), sjis::fromUtf8(u8"点コード="), sjis::fromUtf8(u8"点名="),
        sjis::fromUtf8(u8"地図コード="),  sjis::fromUtf8(u8"緯度="),     sjis::fromUtf8(u8"経度="),
        sjis::fromUtf8(u8"種別="),        sjis::fromUtf8(u8"座標系="),   sjis::fromUtf8(u8"X="),
        sjis::fromUtf8(u8"Y="),           sjis::fromUtf8(u8"標高="),
    };
};

const DetailTexts& Texts() {
    static const DetailTexts texts;
    return texts;
}

// Collects the lines of one details text.
class Details {
public:
    void heading(const std::string& text) { lines_ += text + "\r\n"; }
    void value(const std::string& label, std::string_view v) {
        lines_ += label;
        lines_ += v;
        lines_ += "\r\n";
    }
    // Value 0 is the name, every later value an alias.
    void namesAndAliases(const TAttributeValues& values) {
        for (size_t i = 0; i < values.size(); ++i) value(i == 0 ? Texts().name : Texts().alias, values[i]);
    }
    // Labels for the leading values; values beyond the labels are not shown.
    void labelled(const TAttributeValues& values, const std::vector<const std::string*>& labels) {
        for (size_t i = 0; i < values.size() && i < labels.size(); ++i) value(*labels[i], values[i]);
    }
    std::string finish() { return lines_ + Texts().separator; }

private:
    std::string lines_;
};

// The code-name of a public-building code written in a value.
const std::string& BuildingName(std::string_view value) {
    const std::optional<int32_t> code = TryReadInt(value);
    if (!code) throw EConvertError::NotAnInteger(value);
    return CodeName(*code / 100, *code % 100);
}

const std::string* lineHeading(int major, int minor) {
    const DetailTexts& t = Texts();
    const int code = major * 100 + minor;
    if (code == codes::kRoadCentre) return &t.road;
    if (major == codes::kRailwayMajor) return &t.railway;
    if (code == codes::kRiverCentre) return &t.riverCentre;
    return nullptr;
}

const std::string* polygonHeading(int major, int minor) {
    const DetailTexts& t = Texts();
    if (major == codes::kBuildingMajor) return &t.publicBuilding;
    switch (major * 100 + minor) {
        case codes::kMunicipality: return &t.municipality;
        case codes::kChome: return &t.chome;
        case codes::kBlock: return &t.block;
        case codes::kUrbanPark: return &t.urbanPark;
        case codes::kSchool: return &t.school;
        case codes::kShrine: return &t.shrine;
        case codes::kCemetery: return &t.cemetery;
        case codes::kOtherGround: return &t.otherGround;
        case codes::kRiver: return &t.river;
        case codes::kLake: return &t.lake;
        case codes::kRiverArea: return &t.riverArea;
        default: return nullptr;
    }
}

const std::string* pointHeading(int major, int minor) {
    const DetailTexts& t = Texts();
    switch (major * 100 + minor) {
        case codes::kStation: return &t.station;
        case codes::kTriangulationPoint: return &t.triangulation;
        default: return nullptr;
    }
}

std::string details(const TKDKLine& line) {
    if (!line.Attribute) return {};
    Details d;
    if (const std::string* heading = lineHeading(line.Major, line.Minor)) {
        d.heading(*heading);
        d.namesAndAliases(line.Attribute->Values);
    }
    return d.finish();
}

std::string details(const TKDKPolygon& polygon) {
    if (!polygon.Attribute) return {};
    const DetailTexts& t = Texts();
    const TAttributeValues& v = polygon.Attribute->Values;
    const int code = polygon.Code();
    Details d;
    if (const std::string* heading = polygonHeading(polygon.Major, polygon.Minor)) d.heading(*heading);
    if (code == codes::kMunicipality) {
        d.labelled(v, {&t.jisCode, &t.municipalityName});
    } else if (code == codes::kChome || code == codes::kBlock) {
        d.labelled(v, {&t.jisCode, &t.chomeCode, &t.chomeName});
        if (code == codes::kBlock)
            for (size_t i = 3; i < v.size(); ++i) d.value(t.blockNumber + std::to_string(i - 2) + "=", v[i]);
    } else if (polygon.Major == codes::kBuildingMajor) {
        for (size_t i = 0; i < v.size(); ++i) {
            if (i % 2 == 0)
                d.value(t.buildingCode, std::string(v[i]) + "(" + BuildingName(v[i]) + ")");
            else
                d.value(t.name, v[i]);
        }
    } else if (codes::namedBySingleValue(code)) {
        if (v.size() == 1) d.value(t.name, v[0]);
    } else if (code == codes::kRiverArea) {
        if (v.size() >= 2) d.value(t.name, v[0]);
    }
    return d.finish();
}

std::string details(const TKDKPoint& point) {
    if (!point.Attribute) return {};
    const DetailTexts& t = Texts();
    Details d;
    if (const std::string* heading = pointHeading(point.Major, point.Minor)) d.heading(*heading);
    if (point.Code() == codes::kStation) {
        d.namesAndAliases(point.Attribute->Values);
    } else if (point.Code() == codes::kTriangulationPoint) {
        std::vector<const std::string*> labels;
        for (const std::string& l : t.triangulationLabels) labels.push_back(&l);
        d.labelled(point.Attribute->Values, labels);
    }
    return d.finish();
}

// Kinds without a details text.
template <class Feature>
std::string details(const Feature&) {
    return {};
}

}  // namespace

const std::string& DetailsHeading(TFeatureKind kind, int major, int minor) {
    static const std::string none;
    const std::string* heading = nullptr;
    switch (kind) {
        case TFeatureKind::Line: heading = lineHeading(major, minor); break;
        case TFeatureKind::Polygon: heading = polygonHeading(major, minor); break;
        case TFeatureKind::Point: heading = pointHeading(major, minor); break;
        default: break;
    }
    return heading ? *heading : none;
}

std::string GetDetails(const TKDKElement& feature) {
    return VisitFeature(feature, [](const auto& f) { return details(f); });
}
