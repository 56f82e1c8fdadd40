#include "archive/name_pattern.h"

#include "archive/sjis_separators.h"
#include "base/sjis.h"

namespace archive {
namespace {

// The characters of a Shift-JIS text, ASCII letters folded to lower case.
std::vector<std::string_view> characters(std::string_view text, std::string& folded) {
    folded.assign(text);
    std::vector<std::string_view> out;
    for (size_t i = 0; i < folded.size(); ++i) {
        size_t length = sjis::isLeadByte(static_cast<unsigned char>(folded[i])) && i + 1 < folded.size() ? 2 : 1;
        if (length == 1 && folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
        out.push_back(std::string_view(folded).substr(i, length));
        i += length - 1;
    }
    return out;
}

bool wildcardMatch(std::string_view pattern, std::string_view text) {
    std::string patternStore, textStore;
    std::vector<std::string_view> p = characters(pattern, patternStore);
    std::vector<std::string_view> t = characters(text, textStore);
    size_t pi = 0, ti = 0, starP = std::string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == "?" || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == "*") {
            starP = pi++;
            starT = ti;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*") ++pi;
    return pi == p.size();
}

bool takesEverything(const std::string& pattern) { return pattern.empty() || pattern == "*" || pattern == "*.*"; }

}  // namespace

bool MatchesPatterns(const std::vector<std::string>& patterns, std::string_view storedPath) {
    if (patterns.empty()) return true;
    size_t slash = storedPath.rfind('/');  // 0x2F is never a trail byte
    std::string_view fileName = slash == std::string_view::npos ? storedPath : storedPath.substr(slash + 1);
    for (const std::string& pattern : patterns) {
        if (takesEverything(pattern)) return true;
        std::string slashed = ToSlashes(pattern);
        bool wholePath = slashed.find('/') != std::string::npos;
        if (wildcardMatch(slashed, wholePath ? storedPath : fileName)) return true;
    }
    return false;
}

}  // namespace archive
