#pragma once
// The byte encoders of web addresses: percent-encoding and the conversion of
// Shift-JIS text to EUC-JP.
#include <string>
#include <string_view>

// Walks the bytes and writes "%" and two lower-case hexadecimal digits for a
// byte of 0x80 or above, and for a byte below 0x80 that follows an odd-length
// run of bytes with Shift-JIS lead-byte values (0x81-0x9F, 0xE0-0xFC): the
// second byte of a double-byte character. Every other byte is copied, blank,
// "&", "?", "#", "+" and "=" included. The rule is the same for Shift-JIS,
// UTF-8 and EUC-JP bytes.
std::string UrlEncode(std::string_view text);

// UrlEncode that also encodes the ASCII bytes "&", "#", "+" and "%", so that
// the text arrives as one query value: unencoded, "&" would start the next
// parameter, "#" the fragment, "+" would read as a blank and "%" as an escape.
std::string UrlEncodeQueryValue(std::string_view text);

// Shift-JIS to EUC-JP. A byte 0x80-0x9F or 0xE0-0xFC is taken with the next
// byte as a 16-bit code (lead byte high), or alone (0x00nn) when it is the
// last byte, and converted to JIS with byte arithmetic modulo 256:
//   0x8520 gives 0x2121; a lead byte 0x80 or from 0xF0 leaves the code as it
//   is; otherwise the lead byte loses 0x70 (below 0xA0) or 0xB0, a trail byte
//   from 0x80 loses 1, the lead byte is doubled, and then a trail byte from
//   0x9E loses 0x7D, else the lead byte loses 1 and the trail byte 0x1F; a
//   lead byte of 0x2A then gives the single byte trail | 0x80, one of 0x29
//   the single byte trail.
// JIS to EUC-JP: a value below 0xA0 stays; a single byte 0xA0-0xDF becomes
// 0x8E and that byte; another single byte stays; a two-byte value gets 0x80
// added to each byte (modulo 256). The result is written high byte first;
// a result below 0x100 is written as one byte. Every other byte (ASCII, 0xA0-0xDF, 0xFD
// and above) is copied.
std::string SjisToEuc(std::string_view text);
