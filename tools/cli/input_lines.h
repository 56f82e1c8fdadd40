#pragma once
// The lines of a list a command reads (points, queries): a file, or standard
// input for "-", in UTF-8 or Shift_JIS.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The lines of `source` in UTF-8, without their line ends. Text that is valid
// UTF-8 throughout (a byte order mark at its start is skipped) is taken as
// UTF-8; any other is read as Shift_JIS (code page 932), as Japanese Windows
// tools write lists. Nothing, with `problem` set, when the source cannot be
// read or is neither (naming the first line that is not Shift_JIS).
std::optional<std::vector<std::string>> readInputLines(const std::string& source, std::string& problem);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points above U+10FFFF).
bool isUtf8(std::string_view bytes);

}  // namespace cli
