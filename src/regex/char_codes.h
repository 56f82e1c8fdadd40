#pragma once
// Characters of Shift-JIS patterns and texts as 16-bit codes: a single-byte
// character is its byte value, a double-byte one lead × 256 + trail, and 0
// stands for no character (end of text). Characters are always read whole,
// so a trail byte such as the 0x5C of «表» is never taken for "\".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/sjis.h"

using TRECode = std::uint16_t;

// Reads the character at the 1-based position and moves past it. Returns 0,
// without moving, before position 1 or past the end. A lead byte that is the
// last byte raises ERegExpParser at the lead byte's position.
TRECode ReadChar(std::string_view text, std::size_t& position);

// Steps back over the character just read (nothing at position 1). The byte
// before the position is a trail byte exactly when the run of lead-byte
// values ending just before it has odd length.
void UnreadChar(std::string_view text, std::size_t& position);

// Reads at a cursor into a zero-terminated text: 0 at the terminator without
// moving. A lead byte directly before the terminator counts as a single-byte
// character of its own value, so the cursor never passes the terminator.
inline TRECode ReadCharAt(const char*& cursor) {
    const auto c = static_cast<unsigned char>(cursor[0]);
    if (sjis::isLeadByte(c) && cursor[1] != 0) {
        const auto t = static_cast<unsigned char>(cursor[1]);
        cursor += 2;
        return static_cast<TRECode>(c << 8 | t);
    }
    if (c != 0) ++cursor;
    return c;
}

// Length in bytes of the character at a cursor (0 at the terminator).
inline std::size_t CharLengthAt(const char* cursor) {
    const auto c = static_cast<unsigned char>(cursor[0]);
    if (c == 0) return 0;
    return (sjis::isLeadByte(c) && cursor[1] != 0) ? 2 : 1;
}

// The bytes of a code: high and low byte when the high byte is a lead byte,
// else the low byte alone.
std::string CharToText(TRECode code);
