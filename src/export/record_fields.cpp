#include "export/record_fields.h"

#include <string_view>

#include "tables/feature_codes.h"

namespace {

// Value i as text; empty when the record has fewer values.
std::string value(const TKDKAttribute& record, size_t i) {
    if (i >= record.Values.size()) return {};
    std::string_view v = record.Values[i];
    return std::string(v);
}

// Values `from` to the last, joined by ",".
std::string joinedFrom(const TKDKAttribute& record, size_t from) {
    std::string out;
    for (size_t i = from; i < record.Values.size(); ++i) {
        std::string_view v = record.Values[i];
        if (i > from) out += ',';
        out += v;
    }
    return out;
}

constexpr size_t kTriangulationPointName = 2;  // 点名, after the mesh and point codes

}  // namespace

TFeatureKind TargetKind(const TKDKAttribute& record) {
    switch (record.Kind) {
        case 'L': return TFeatureKind::Line;
        case 'A': return TFeatureKind::Polygon;
        case 'P': return TFeatureKind::Point;
        default: return TFeatureKind::Attribute;
    }
}

TRecordFields RecordFields(const TKDKAttribute& record) {
    TRecordFields f;
    const int code = record.Code();
    const size_t n = record.Values.size();
    auto nameAndAliases = [&] {
        f.Name = value(record, 0);
        f.AltNames = joinedFrom(record, 1);
    };
    switch (TargetKind(record)) {
        case TFeatureKind::Line:
            if (code == codes::kRoadCentre || record.Major == codes::kRailwayMajor || code == codes::kRiverCentre)
                nameAndAliases();
            break;
        case TFeatureKind::Polygon:
            if (code == codes::kMunicipality) {
                f.AdminCode = value(record, 0);
                f.Name = value(record, 1);
            } else if (code == codes::kChome || code == codes::kBlock) {
                f.AdminCode = value(record, 0);
                f.ChomeCode = value(record, 1);
                f.Name = value(record, 2);
                if (code == codes::kBlock) f.BlockNo = joinedFrom(record, 3);
            } else if (record.Major == codes::kBuildingMajor) {
                f.BldgCode = value(record, 0);
                f.Name = value(record, 1);
            } else if (codes::namedBySingleValue(code)) {
                if (n == 1) f.Name = value(record, 0);
            } else if (code == codes::kRiverArea) {
                if (n >= 2) f.Name = value(record, 0);
            }
            break;
        case TFeatureKind::Point:
            if (code == codes::kStation) nameAndAliases();
            else if (code == codes::kTriangulationPoint) f.Name = value(record, kTriangulationPointName);
            break;
        default: break;
    }
    return f;
}
