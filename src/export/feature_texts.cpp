#include "export/feature_texts.h"

#include <cstdio>

#include "base/sjis.h"
#include "queries/map_queries.h"
#include "tables/code_names.h"
#include "tables/feature_codes.h"

void AppendJsonString(std::string& out, const std::string& utf8) {
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

const std::string& TFeatureTexts::ClassName(TFeatureKind kind, int major, int minor) {
    const int key = static_cast<int>(kind) * 10000 + major * 100 + minor;
    auto it = classNames_.find(key);
    if (it == classNames_.end()) {
        const std::string& heading = DetailsHeading(kind, major, minor);
        it = classNames_.emplace(key, sjis::toUtf8(heading.empty() ? CodeName(major, minor) : heading)).first;
    }
    return it->second;
}

bool TFeatureTexts::Output(const std::string& utf8, std::string& out) const {
    if (encoding_ == TExportEncoding::UTF8) {
        out = utf8;
        return true;
    }
    std::string cp932;
    if (!sjis::tryFromUtf8(utf8, cp932)) return false;
    out = recodedByWriter_ ? utf8 : std::move(cp932);
    return true;
}

std::string TextOutsideEncoding(const std::string& feature, const std::string& field, const std::string& utf8,
                                TExportEncoding encoding) {
    return "cannot write " + feature + ": its " + field + " \"" + utf8 + "\" has characters that " +
           std::string(ExportEncodingName(encoding)) + " cannot hold";
}

std::string ValuesJson(const TKDKAttribute& record) {
    std::string out = "[";
    for (size_t i = 0; i < record.Values.size(); ++i) {
        if (i) out += ',';
        std::string_view v = record.Values[i];
        AppendJsonString(out, sjis::toUtf8(v));
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

std::string_view ExportEncodingName(TExportEncoding encoding) {
    return encoding == TExportEncoding::CP932 ? "CP932" : "UTF-8";
}

std::optional<TExportEncoding> ExportEncodingFromName(std::string_view name) {
    std::string upper;
    for (char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper == "UTF-8" || upper == "UTF8") return TExportEncoding::UTF8;
    if (upper == "CP932" || upper == "SHIFT_JIS" || upper == "SJIS") return TExportEncoding::CP932;
    return std::nullopt;
}
