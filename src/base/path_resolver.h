#pragma once
// Finds files named by Windows-style paths on a case-sensitive Linux file
// system. Description files and their layer entries were written for Windows:
// they use '\' and were made for case-insensitive names, and LZH extraction
// may change the case of names.
#include <string>
#include <string_view>

namespace paths {

// Maps '\' to '/', resolves "." and ".." lexically (so "X/DOC/../ARC" is
// "X/ARC" whether or not DOC exists, as on Windows) and finds each component
// case-insensitively (ASCII letters) when the exact name does not exist.
// Input and result are file-system (UTF-8) paths; a component that cannot be
// found is kept as written, so the result names the missing file.
std::string resolve(std::string_view path);

// True when `path`, resolved as above, names an existing regular file.
bool fileExists(std::string_view path);
// The same for a path that resolve() has already given.
bool isRegularFile(const std::string& resolvedPath);

// The helpers below take Shift-JIS paths (the system's own texts) and skip
// the trail bytes of double-byte characters, which may be 0x5C ('\').
//
// Folder part of a path: everything up to and including the last '\', '/' or
// drive colon; empty when there is none.
std::string_view folderPart(std::string_view path);
// File-name part: what follows the folder part.
std::string_view fileNamePart(std::string_view path);
// The extension of the file-name part, from its last '.' on (empty if none).
std::string_view extensionOf(std::string_view path);
// The file-name part without its extension.
std::string_view baseNameOf(std::string_view path);

}  // namespace paths
