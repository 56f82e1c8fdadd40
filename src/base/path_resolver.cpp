#include "base/path_resolver.h"

#include "base/sjis.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace paths {
namespace {

bool exists(const std::string& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case; the first
// in sorted order when several do, so the choice does not depend on the
// directory order. Empty when none matches.
std::string findIgnoringCase(const std::string& dir, std::string_view name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string best;
    while (dirent* e = ::readdir(d)) {
        std::string_view entry(e->d_name);
        if (equalsIgnoringAsciiCase(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    ::closedir(d);
    return best;
}

}  // namespace

std::string resolve(std::string_view path) {
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    const bool absolute = !p.empty() && p[0] == '/';

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        std::string part = p.substr(start, end - start);
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else {
            parts.push_back(part);
        }
        start = end + 1;
    }

    std::string out = absolute ? "/" : "";
    bool found = true;  // once a component is missing, the rest cannot exist
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string candidate = out + parts[i];
        if (found && parts[i] != ".." && !exists(candidate)) {
            std::string match = findIgnoringCase(out.empty() ? "." : out, parts[i]);
            if (!match.empty())
                candidate = out + match;
            else
                found = false;
        }
        out = candidate;
        if (i + 1 < parts.size()) out += '/';
    }
    if (out.empty()) out = absolute ? "/" : ".";
    return out;
}

bool isRegularFile(const std::string& resolvedPath) {
    struct stat st;
    return ::stat(resolvedPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool fileExists(std::string_view path) { return isRegularFile(resolve(path)); }

std::string_view folderPart(std::string_view path) {
    size_t end = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (sjis::isLeadByte(c)) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            end = i + 1;
        }
    }
    return path.substr(0, end);
}

std::string_view fileNamePart(std::string_view path) {
    return path.substr(folderPart(path).size());
}

std::string_view extensionOf(std::string_view path) {
    std::string_view name = fileNamePart(path);
    size_t dot = std::string_view::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        if (sjis::isLeadByte(static_cast<unsigned char>(name[i])))
            ++i;
        else if (name[i] == '.')
            dot = i;
    }
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

std::string_view baseNameOf(std::string_view path) {
    std::string_view name = fileNamePart(path);
    return name.substr(0, name.size() - extensionOf(path).size());
}

}  // namespace paths
