// Searching the attribute texts of lines, polygons and points, exactly or
// through the map's pattern object.
#include "reading/kdk_object.h"
#include "regex/awk_string.h"
#include "regex/escapes.h"

namespace {

// One rule for every kind: a feature without a record never matches (and
// leaves the pattern alone); otherwise the first matching value decides.
bool recordMatches(const TKDKAttribute* record, const std::string& text, TAWKStr* pattern) {
    if (!record) return false;
    if (pattern) pattern->SetRegExp(text);  // a cache look-up after the first feature
    for (const std::string& value : record->Values) {
        if (!pattern) {
            if (value == text) return true;
        } else if (pattern->Match(HasEscapes(value) ? TAWKStr::ExpandEscapes(value) : value) > 0) {
            return true;
        }
    }
    return false;
}

bool takesPart(const TKDKElement& f, int major, int minor) {
    if (major < 0 && minor < 0) return true;
    if (major < 0) return false;
    return f.Major == major && (minor < 0 || f.Minor == minor);
}

template <class Feature>
int searchList(const std::vector<std::unique_ptr<Feature>>& list, int major, int minor,
               std::vector<TKDKElement*>& found, TAWKStr* pattern, const std::string& text) {
    int count = 0;
    for (const auto& f : list) {
        if (takesPart(*f, major, minor) && f->MatchAttrib(text, pattern)) {
            found.push_back(f.get());
            ++count;
        }
    }
    return count;
}

}  // namespace

bool TKDKLine::MatchAttrib(const std::string& text, TAWKStr* pattern) {
    return recordMatches(Attribute, text, pattern);
}

bool TKDKPolygon::MatchAttrib(const std::string& text, TAWKStr* pattern) {
    return recordMatches(Attribute, text, pattern);
}

bool TKDKPoint::MatchAttrib(const std::string& text, TAWKStr* pattern) {
    return recordMatches(Attribute, text, pattern);
}

int TKDKObject::SearchAttrib(int major, int minor, std::vector<TKDKElement*>& found, bool useRegex,
                             const std::string& text) {
    TAWKStr* pattern = useRegex ? Matcher.get() : nullptr;
    return searchList(Lines, major, minor, found, pattern, text) +
           searchList(Polygons, major, minor, found, pattern, text) +
           searchList(Points, major, minor, found, pattern, text);
}
