// Reads an attribute file (.ATR): texts attached to arcs, polygons and points.
// Linking a record also derives road styles, light fills and labels.
#include <span>
#include <string>
#include <string_view>

#include "reading/layer_readers.h"
#include "reading/layer_file.h"
#include "reading/messages.h"
#include "tables/feature_codes.h"

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Sum of the byte values of the text: the same chome name always gets the same fill.
long long NameHash(std::string_view text) {
    long long sum = 0;
    for (unsigned char c : text) sum += c;
    return sum;
}

void styleRoad(TKDKLine& road, std::string_view name) {
    const ReadMessages& m = Messages();
    if (contains(name, m.motorway) || contains(name, m.expressway)) {
        road.Color = PaletteColor(codes::kMotorwayPalette);
        road.Width += 3;
    } else if (name.substr(0, 4) == m.nationalRoad) {
        road.Color = PaletteColor(codes::kNationalRoadPalette);
        road.Width += 2;
    } else {
        road.Color = PaletteColor(codes::kOtherRoadPalette);
    }
}

void styleArea(TKDKObject& map, TKDKPolygon& area, TKDKAttribute& record) {
    const TAttributeValues& v = record.Values;
    const int code = record.Code();  // the code written in the record
    if (code == codes::kChome && v.size() == 3) {
        area.FillColor = PastelColor(NameHash(v[2]));
        record.SetLabel(v[2], area.RepPoint, clNavy, codes::kChomeLabelHeight);
    } else if (code == codes::kBlock && v.size() > 2) {
        area.FillColor = PastelColor(NameHash(v[2]));
        if (v.size() > 3) {
            std::string label(v[3]);
            for (size_t i = 4; i < v.size(); ++i) {
                label += ',';
                label += v[i];
            }
            record.SetLabel(map.AddText(label), area.RepPoint, clGray, codes::kBlockLabelHeight);
        }
    } else if (record.Major == codes::kBuildingMajor && v.size() >= 2) {
        record.SetLabel(v[1], area.RepPoint, clBlack, codes::kBuildingLabelHeight);
    }
}

std::string missingTarget(const std::string& prefix, int id) {
    return prefix + std::to_string(id) + Messages().targetNotFoundSuffix;
}

}  // namespace

void ReadAttributeFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
    while (file.next()) {
        if (file.fieldCount() < 3) continue;
        const char kind = file.field(0).empty() ? '\0' : file.field(0)[0];
        if (kind != 'L' && kind != 'A' && kind != 'P') file.report(m.brokenAttribute);
        const TFeatureCode code = file.readCode(0);
        const int targetId = file.readInt(1, file.path());
        const std::span<const std::string_view> fields = file.fields().all();
        TKDKAttribute& record = map.AddAttribute(code.Major, code.Minor, targetId, fields.subspan(3));
        record.Kind = kind;

        if (kind == 'L') {
            TKDKLine* arc = map.FindLine(map.LastMeshNo, targetId);
            if (!arc) {
                file.report(missingTarget(m.targetArcPrefix, targetId));
                continue;
            }
            arc->Attribute = &record;
            if (record.Code() == codes::kRoadCentre && !record.Values.empty()) styleRoad(*arc, record.Values[0]);
        } else if (kind == 'A') {
            TKDKPolygon* area = map.FindPolygon(map.LastMeshNo, targetId);
            if (!area) {
                file.report(missingTarget(m.targetPolygonPrefix, targetId));
                continue;
            }
            area->Attribute = &record;
            styleArea(map, *area, record);
        } else if (kind == 'P') {
            TKDKPoint* point = map.FindPoint(map.LastMeshNo, targetId);
            if (!point) {
                file.report(missingTarget(m.targetPointPrefix, targetId));
                continue;
            }
            point->Attribute = &record;
            if (record.Code() == codes::kStation && record.Values.size() == 1)
                record.SetLabel(record.Values[0], point->Position, clMaroon, codes::kStationLabelHeight);
        }
    }
    map.BytesRead += file.byteCount();
}
