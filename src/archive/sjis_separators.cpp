#include "archive/sjis_separators.h"

#include "base/sjis.h"

namespace archive {
namespace {

// The last character of the text: one byte, or two for a double-byte one.
std::string_view lastCharacter(std::string_view sjis) {
    std::string_view last;
    for (size_t i = 0; i < sjis.size(); ++i) {
        size_t length = sjis::isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        last = sjis.substr(i, length);
        i += length - 1;
    }
    return last;
}

}  // namespace

std::string ToSlashes(std::string_view sjis) {
    std::string out(sjis);
    for (size_t i = 0; i < out.size(); ++i) {
        if (sjis::isLeadByte(static_cast<unsigned char>(out[i])))
            ++i;
        else if (out[i] == '\\')
            out[i] = '/';
    }
    return out;
}

bool EndsWithBackslash(std::string_view sjis) { return lastCharacter(sjis) == "\\"; }

bool EndsWithSeparator(std::string_view sjis) {
    std::string_view last = lastCharacter(sjis);
    return last == "\\" || last == "/";
}

}  // namespace archive
