#include "export/feature_texts.h"

#include <cstdio>

#include "base/sjis.h"
#include "tables/code_names.h"
#include "tables/feature_codes.h"

namespace {

void appendJsonString(std::string& out, const std::string& utf8) {
    out += '"';
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

const std::string& TFeatureTexts::ClassName(int major, int minor) {
    const int code = major * 100 + minor;
    auto it = classNames_.find(code);
    if (it == classNames_.end()) it = classNames_.emplace(code, sjis::toUtf8(CodeName(major, minor))).first;
    return it->second;
}

std::string FeatureNameUtf8(const TKDKAttribute& record) {
    if (!record.LabelText.empty()) return sjis::toUtf8(record.LabelText);
    // A road centre line is coloured by the name in its first value.
    if (record.Kind == 'L' && record.Code() == codes::kRoadCentre && !record.Values.empty())
        return sjis::toUtf8(record.Values[0]);
    return {};
}

std::string ValuesJson(const TKDKAttribute& record) {
    std::string out = "[";
    for (size_t i = 0; i < record.Values.size(); ++i) {
        if (i) out += ',';
        appendJsonString(out, sjis::toUtf8(record.Values[i]));
    }
    out += ']';
    return out;
}

std::string IntListJson(std::span<const int32_t> values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(values[i]);
    }
    out += ']';
    return out;
}

std::string ColourText(TColor colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}
