#include "base/comma_fields.h"

namespace {

inline bool isBlank(unsigned char c, NulByte nul) {
    return c <= 0x20 && (c != 0 || nul == NulByte::Blank);
}

}  // namespace

void FieldList::split(std::string_view line, NulByte nul) {
    fields_.clear();
    unquoted_.clear();
    const size_t n = line.size();
    size_t i = 0;
    auto blankAt = [&](size_t k) { return isBlank(static_cast<unsigned char>(line[k]), nul); };
    auto skipBlanks = [&] {
        while (i < n && blankAt(i)) ++i;
    };
    skipBlanks();
    while (i < n) {
        if (line[i] == '"') {
            // Quoted: runs to the next quote that is not doubled.
            size_t start = ++i;
            bool doubled = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            std::string_view raw = line.substr(start, i - start);
            if (i < n) ++i;  // closing quote; an unclosed field keeps the rest of the line
            if (doubled) {
                std::string& s = unquoted_.emplace_back();
                for (size_t k = 0; k < raw.size(); ++k) {
                    s += raw[k];
                    if (raw[k] == '"' && k + 1 < raw.size() && raw[k + 1] == '"') ++k;
                }
                fields_.emplace_back(s);
            } else {
                fields_.push_back(raw);
            }
        } else {
            size_t start = i;
            while (i < n && line[i] != ',' && !blankAt(i)) ++i;
            fields_.push_back(line.substr(start, i - start));
        }
        skipBlanks();
        if (i < n && line[i] == ',') {
            if (i == n - 1) fields_.emplace_back();
            ++i;
            skipBlanks();
        }
    }
}

std::vector<std::string> SplitFields(std::string_view text, NulByte nul) {
    FieldList f;
    f.split(text, nul);
    return {f.all().begin(), f.all().end()};
}
