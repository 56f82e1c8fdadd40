// The names of the administrative areas at a point: prefecture, city, chome
// and block, from the attribute records of the polygons containing it.
#include <optional>

#include "reading/kdk_object.h"
#include "reading/read_errors.h"
#include "reading/records.h"
#include "tables/prefectures.h"

namespace {

constexpr int kBoundaryMajor = 11;
constexpr int kMunicipalityMinor = 5;
constexpr int kChomeMinor = 6;
constexpr int kBlockMinor = 8;

// The prefecture number leads the municipality's JIS code: two digits of a
// five-character code, one of a code written without its leading zero.
const std::string& PrefectureOfJisCode(const std::string& jisCode) {
    const std::string lead = jisCode.substr(0, jisCode.size() == 5 ? 2 : 1);
    const std::optional<int32_t> number = TryReadInt(lead);
    if (!number) throw EConvertError::NotAnInteger(lead);
    return PrefectureName(*number);
}

}  // namespace

TCentreAddress TKDKObject::CentreAddress(const TGeoPoint& p) const {
    TCentreAddress a;
    // Every containing polygon is visited in list order; a later one of the same kind wins.
    polygonBounds_.forEachNear(Polygons, p, 0, [](const TKDKPolygon&) { return 0.0; },
                               [&](const TKDKPolygon& polygon) {
        if (!polygon.Attribute || polygon.Major != kBoundaryMajor) return;
        const std::vector<std::string>& v = polygon.Attribute->Values;
        switch (polygon.Minor) {
            case kMunicipalityMinor:
                if (v.size() == 2 && polygon.HitTest(p, 0)) {
                    a.Prefecture = PrefectureOfJisCode(v[0]);
                    a.City = v[1];
                }
                break;
            case kChomeMinor:
                if (v.size() == 3 && polygon.HitTest(p, 0)) a.Chome = v[2];
                break;
            case kBlockMinor:
                if (v.size() > 3 && polygon.HitTest(p, 0)) {
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
