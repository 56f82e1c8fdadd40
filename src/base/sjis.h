#pragma once
// Shift-JIS (code page 932) helpers. Every text of the data and of the map
// logic is a std::string of CP932 bytes; conversion to Unicode happens only at
// the edges (command-line output, Qt widgets, file names on disk).
#include <string>
#include <string_view>

namespace sjis {

// True for the lead bytes of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// UTF-8 to CP932. Characters CP932 cannot hold become '?'.
std::string fromUtf8(std::string_view utf8);

// CP932 to UTF-8. Invalid sequences (a lone lead byte, an unmapped code)
// become U+FFFD so that output never carries broken bytes.
std::string toUtf8(std::string_view cp932);

// Strict UTF-8 to CP932: false when some character has no CP932 form.
bool tryFromUtf8(std::string_view utf8, std::string& out);

// Upper-cases the ASCII letters a-z only; bytes of double-byte characters
// (including trail bytes in the a-z range) are left as they are.
std::string upperAscii(std::string_view text);

}  // namespace sjis
