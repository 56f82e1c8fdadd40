// Searching the attribute texts of lines, polygons and points, exactly or
// through a pattern object of the call's own.
#include "queries/map_queries.h"
#include "regex/awk_string.h"
#include "regex/escapes.h"

namespace {

// The attribute record of a kind that links one; other kinds have none.
const TKDKAttribute* recordOf(const TKDKElement& f) {
    return VisitFeature(f, [](const auto& feature) -> const TKDKAttribute* {
        if constexpr (requires { feature.Attribute; }) return feature.Attribute;
        else return nullptr;
    });
}

bool takesPart(const TKDKElement& f, int major, int minor) {
    if (major < 0 && minor < 0) return true;
    if (major < 0) return false;
    return f.Major == major && (minor < 0 || f.Minor == minor);
}

}  // namespace

bool MatchAttrib(const TKDKElement& feature, const std::string& text, TAWKStr* pattern) {
    // One rule for every kind: a feature without a record never matches (and
    // leaves the pattern alone); otherwise the first matching value decides.
    const TKDKAttribute* record = recordOf(feature);
    if (!record) return false;
    if (pattern) pattern->SetRegExp(text);  // a cache look-up after the first feature
    // The pattern matches a std::string: each value is copied into one kept
    // per thread, which stops allocating once it is as long as the longest.
    thread_local std::string scratch;
    for (std::string_view value : record->Values) {
        if (!pattern) {
            if (value == text) return true;
            continue;
        }
        if (HasEscapes(value))
            scratch = TAWKStr::ExpandEscapes(value);
        else
            scratch.assign(value);
        if (pattern->Match(scratch) > 0) return true;
    }
    return false;
}

int SearchAttrib(const TKDKObject& map, int major, int minor, std::vector<const TKDKElement*>& found,
                 bool useRegex, const std::string& text) {
    TAWKStr matcher;
    TAWKStr* pattern = useRegex ? &matcher : nullptr;
    int count = 0;
    auto search = [&](const TKDKElement& f) {
        if (takesPart(f, major, minor) && MatchAttrib(f, text, pattern)) {
            found.push_back(&f);
            ++count;
        }
    };
    for (const TKDKLine* f : map.Lines()) search(*f);
    map.ForEachPolygonInDrawingOrder(search);
    for (const TKDKPoint* f : map.Points()) search(*f);
    return count;
}
