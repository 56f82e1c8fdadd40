#pragma once
// Codes with a meaning of their own inside the automata. Texts never hold
// them: the highest code a Shift-JIS text can produce is 0xFCFF.
#include "regex/char_codes.h"

inline constexpr TRECode kLineHeadCode = 0xFFFD;        // pseudo-character: start of a line
inline constexpr TRECode kLineTailCode = 0xFFFE;        // pseudo-character: end of a line
inline constexpr TRECode kEmptyTransitionCode = 0xFFFF;  // marks an empty transition

// Pattern characters are clipped to 1 .. kLastPatternCode: code 0 is the
// terminator and never a character, and the three codes above are markers.
inline constexpr TRECode kFirstPatternCode = 1;
inline constexpr TRECode kLastPatternCode = 0xFFFC;

// "." is every code from 1 to the highest double-byte code except LF and CR.
inline constexpr TRECode kAnyCharLast = 0xFCFC;
