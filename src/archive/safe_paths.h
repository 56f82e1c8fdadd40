#pragma once
// The checks a stored path must pass before anything is written for it.
#include <string>
#include <string_view>
#include <vector>

namespace archive {

enum class PathRefusal {
    kNone,
    kEmpty,          // no name at all
    kAbsolute,       // begins with a separator or a drive ("C:")
    kParentFolder,   // has a ".." part
    kNulCharacter,   // a name with a zero byte
};

// Splits a '/'-separated Shift-JIS path into its names, dropping empty and
// "." parts, and says whether it may be written below a base folder.
PathRefusal SplitStoredPath(std::string_view storedPath, std::vector<std::string>& names);

// A short English reason, e.g. "absolute path".
const char* RefusalText(PathRefusal refusal);

// True when `path` is `prefix` or lies below it.
bool IsWithin(const std::vector<std::string>& path, const std::vector<std::string>& prefix);

}  // namespace archive
