#include "regex_case.h"

#include "base/sjis.h"
#include "regex/awk_string.h"
#include "regex/regex_error.h"

namespace {

// The match must lie inside the text (up to its first NUL) and start at a
// character boundary.
std::string checkMatch(const std::string& text, std::size_t found, std::size_t position, std::size_t length) {
    const std::size_t end = text.find('\0') == std::string::npos ? text.size() : text.find('\0');
    if (found == 0) return length == 0 && position == 0 ? "" : "no match but position or length set";
    if (found != position) return "Match result differs from position";
    if (position < 1 || position - 1 + length > end) return "match outside the text";
    std::size_t i = 0;
    while (i < position - 1) {
        const auto c = static_cast<unsigned char>(text[i]);
        i += (sjis::isLeadByte(c) && i + 1 < end) ? 2 : 1;
    }
    return i == position - 1 ? "" : "match starts on a trail byte";
}

// Matches in both line modes; the first problem, or an empty string.
std::string matchBothWays(TAWKStr& re, const std::string& text) {
    for (TMatchCORE_LineSeparator separator : {mcls_CRLF, mcls_LF}) {
        re.SetLineSeparator(separator);
        std::size_t position = 0, length = 0;
        const std::size_t found = re.Match(text, position, length);
        if (std::string problem = checkMatch(text, found, position, length); !problem.empty())
            return problem + (separator == mcls_LF ? " (LF lines)" : " (CR LF lines)");
    }
    return "";
}

}  // namespace

std::string RunRegexFuzzCase(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find('\0');
    if (split == std::string::npos) split = input.find('\n');
    const std::string pattern = input.substr(0, split);
    const std::string subject = split == std::string::npos ? std::string() : input.substr(split + 1);

    TAWKStr re;
    for (bool fuzzy : {false, true}) {
        try {
            re.SetUseFuzzyCharDic(fuzzy);
            re.SetRegExp(pattern);
        } catch (const ERegExpParser& e) {
            // A failed compilation leaves the empty pattern in force, a failed
            // preprocessing everything as it was.
            if (!re.RegExp().empty() && re.RegExp() != pattern) return "a failed pattern left RegExp changed";
            // With the dictionary on, positions refer to the rewritten pattern.
            if (!fuzzy && e.ErrorPos > pattern.size() + 1) return "error position beyond the pattern";
        }
        if (std::string problem = matchBothWays(re, subject); !problem.empty())
            return problem + (fuzzy ? ", fuzzy" : "");
    }
    try {
        const std::string expanded = TAWKStr::ExpandEscapes(subject);
        if (expanded.size() > subject.size()) return "ExpandEscapes grew the text";
        return matchBothWays(re, expanded);
    } catch (const ERegExpParser&) {
        return "";
    }
}
