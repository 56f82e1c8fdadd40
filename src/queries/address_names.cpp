#include "queries/address_names.h"

#include "base/number_text.h"
#include "tables/feature_codes.h"
#include "tables/prefectures.h"

namespace {

std::string_view JisCodeLead(std::string_view jisCode) { return jisCode.substr(0, jisCode.size() == 5 ? 2 : 1); }

}  // namespace

TAddressArea AddressAreaOf(const TKDKPolygon& polygon) {
    if (!polygon.Attribute || polygon.Major != codes::kBoundaryMajor) return TAddressArea::None;
    const size_t n = polygon.Attribute->Values.size();
    switch (polygon.Minor) {
        case codes::kMunicipalityMinor:
            return n == 2 ? TAddressArea::Municipality : TAddressArea::None;
        case codes::kChomeMinor:
            return n == 3 ? TAddressArea::Chome : TAddressArea::None;
        case codes::kBlockMinor:
            return n > 3 ? TAddressArea::Block : TAddressArea::None;
        default:
            return TAddressArea::None;
    }
}

const std::string* TryPrefectureOfJisCode(std::string_view jisCode) {
    const std::optional<int32_t> number = TryReadInt(JisCodeLead(jisCode));
    return number ? &PrefectureName(*number) : nullptr;
}

const std::string& PrefectureOfJisCode(std::string_view jisCode) {
    const std::string* name = TryPrefectureOfJisCode(jisCode);
    if (!name) throw EConvertError::NotAnInteger(JisCodeLead(jisCode));
    return *name;
}

std::string BlockText(const TAttributeValues& values) {
    std::string text;
    for (size_t i = 3; i < values.size(); ++i) {
        if (i > 3) text += ',';
        text += values[i];
    }
    return text;
}
