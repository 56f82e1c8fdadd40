#pragma once
// Path separators in Shift-JIS texts. The trail byte of a double-byte
// character may be 0x5C, the backslash (表 is 95 5C), so separators are found
// character by character, never byte by byte.
#include <string>
#include <string_view>

namespace archive {

// The text with every '\' character turned into '/'.
std::string ToSlashes(std::string_view sjis);

// True when the last character (not merely the last byte) is a backslash.
bool EndsWithBackslash(std::string_view sjis);

// True when the last character is '\' or '/'.
bool EndsWithSeparator(std::string_view sjis);

}  // namespace archive
