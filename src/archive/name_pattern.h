#pragma once
// Which archive members a command acts on. A pattern holds '*' (any run of
// characters) and '?' (one character) and compares ASCII letters without
// regard to case. One with a folder separator is matched against the whole
// stored path, one without against the file name only. No pattern, an empty
// one, "*" and "*.*" take every member.
#include <string>
#include <string_view>
#include <vector>

namespace archive {

// `storedPath` is Shift-JIS with '/' separators; patterns are Shift-JIS.
bool MatchesPatterns(const std::vector<std::string>& patterns, std::string_view storedPath);

}  // namespace archive
