#pragma once
// Backslash escapes of patterns and of attribute texts.
#include <cstddef>
#include <string>
#include <string_view>

#include "regex/char_codes.h"

// Reads the character after a backslash (the position is just behind it):
// \b \r \n \t are 8, 13, 10, 9; \x takes 1 to 4 hexadecimal digits, \0 to \7
// start 1 to 6 octal digits up to 0xFFFF; any other character stands for
// itself. Raises ERegExpParser when the text ends or a code is malformed.
TRECode ReadEscape(std::string_view text, std::size_t& position);

// Puts a backslash before each of ^ ( | ) + * ? . [ ] $ \, reading whole
// characters so that trail bytes are left alone.
std::string QuoteMeta(std::string_view text);

// The text with every backslash escape replaced by the character it denotes.
std::string ExpandEscapes(std::string_view text);
// False when ExpandEscapes would give the text itself: it holds no backslash
// character and does not end in a lone lead byte. Lets callers skip the copy.
bool HasEscapes(std::string_view text);
