#include "fuzz_input.h"

#include "regex/awk_string.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/preprocessor.h"
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

}  // namespace

std::string RunRegexFuzzCase(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return "";
    const std::uint8_t options = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.empty() ? 0 : (options >> 2) % (rest.size() + 1);
    const std::string pattern = rest.substr(0, split);
    const std::string text = rest.substr(split);

    TAWKStr re;
    re.SetLineSeparator((options & 2) ? mcls_LF : mcls_CRLF);
    try {
        re.SetUseFuzzyCharDic((options & 1) != 0);
        re.SetRegExp(pattern);
    } catch (const ERegExpParser& e) {
        if (!re.RegExp().empty() && re.RegExp() != pattern) return "failed pattern left RegExp changed";
        // With the dictionary on, positions refer to the rewritten pattern.
        if (!re.UseFuzzyCharDic() && e.ErrorPos > pattern.size() + 1) return "error position beyond the pattern";
    }
    std::size_t position = 0, length = 0;
    const std::size_t found = re.Match(text, position, length);
    std::string problem = checkMatch(text, found, position, length);
    if (!problem.empty()) return problem;
    try {
        const std::string expanded = TAWKStr::ExpandEscapes(text);
        if (expanded.size() > text.size()) return "ExpandEscapes grew the text";
        re.Match(expanded, position, length);
        problem = checkMatch(expanded, re.Match(expanded), position, length);
    } catch (const ERegExpParser&) {
    }
    return problem;
}
