#include "archive/safe_paths.h"

namespace archive {
namespace {

bool isDrive(std::string_view name) {
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

}  // namespace

PathRefusal SplitStoredPath(std::string_view storedPath, std::vector<std::string>& names) {
    names.clear();
    if (!storedPath.empty() && storedPath[0] == '/') return PathRefusal::kAbsolute;
    size_t start = 0;
    while (start <= storedPath.size()) {
        size_t end = storedPath.find('/', start);  // 0x2F is never a trail byte
        if (end == std::string_view::npos) end = storedPath.size();
        std::string_view name = storedPath.substr(start, end - start);
        if (name == "..") return PathRefusal::kParentFolder;
        if (name.find('\0') != std::string_view::npos) return PathRefusal::kNulCharacter;
        if (names.empty() && isDrive(name)) return PathRefusal::kAbsolute;
        if (!name.empty() && name != ".") names.emplace_back(name);
        start = end + 1;
    }
    return names.empty() ? PathRefusal::kEmpty : PathRefusal::kNone;
}

const char* RefusalText(PathRefusal refusal) {
    switch (refusal) {
    case PathRefusal::kNone: return "accepted";
    case PathRefusal::kEmpty: return "empty name";
    case PathRefusal::kAbsolute: return "absolute path";
    case PathRefusal::kParentFolder: return "path leads out through \"..\"";
    case PathRefusal::kNulCharacter: return "name holds a zero byte";
    }
    return "refused";
}

bool IsWithin(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
    if (prefix.size() > path.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (path[i] != prefix[i]) return false;
    return true;
}

}  // namespace archive
