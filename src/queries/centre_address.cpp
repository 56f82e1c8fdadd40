// The names of the administrative areas at a point: prefecture, city, chome
// and block, from the attribute records of the polygons containing it.
#include <optional>

#include "queries/map_queries.h"
#include "reading/read_errors.h"
#include "reading/records.h"
#include "tables/feature_codes.h"
#include "tables/prefectures.h"

namespace {

// The prefecture number leads the municipality's JIS code: two digits of a
// five-character code, one of a code written without its leading zero.
const std::string& PrefectureOfJisCode(const std::string& jisCode) {
    const std::string lead = jisCode.substr(0, jisCode.size() == 5 ? 2 : 1);
    const std::optional<int32_t> number = TryReadInt(lead);
    if (!number) throw EConvertError::NotAnInteger(lead);
    return PrefectureName(*number);
}

}  // namespace

TCentreAddress CentreAddress(const TKDKObject& map, const TGeoPoint& p) {
    TCentreAddress a;
    // Every containing polygon is visited in list order; a later one of the same kind wins.
    map.ForEachPolygonOverlapping(BoxAround(p, 0), [&](const TKDKPolygon& polygon) {
        if (!polygon.Attribute || polygon.Major != codes::kBoundaryMajor) return;
        const std::vector<std::string>& v = polygon.Attribute->Values;
        switch (polygon.Minor) {
            case codes::kMunicipalityMinor:
                if (v.size() == 2 && HitTest(polygon, p, 0)) {
                    a.Prefecture = PrefectureOfJisCode(v[0]);
                    a.City = v[1];
                }
                break;
            case codes::kChomeMinor:
                if (v.size() == 3 && HitTest(polygon, p, 0)) a.Chome = v[2];
                break;
            case codes::kBlockMinor:
                if (v.size() > 3 && HitTest(polygon, p, 0)) {
                    a.Block = v[3];
                    for (size_t i = 4; i < v.size(); ++i) a.Block += "," + v[i];
                }
                break;
            default:
                break;
        }
    });
    return a;
}
