#include "shell/cache_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <vector>

#include "base/exception.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "base/unique_fd.h"

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::string withoutTrailingSlashes(std::string path) {
    while (!path.empty() && path.back() == '/') path.pop_back();
    return path;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The names in a folder but "." and "..", read before anything is changed.
std::vector<std::string> entryNames(int folder) {
    std::vector<std::string> names;
    int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listing < 0) return names;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return names;
    }
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

// Calls `visit` for every entry of `folder` with its own status (links are
// not followed). An entry that vanished or cannot be examined is passed with
// a null status.
void forEachEntry(int folder, const std::function<void(const std::string&, const struct stat*)>& visit) {
    for (const std::string& name : entryNames(folder)) {
        struct stat st;
        bool known = ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        visit(name, known ? &st : nullptr);
    }
}

// A real sub-folder (never one reached through a symbolic link).
UniqueFd openSubFolder(int folder, const std::string& name) {
    return UniqueFd(::openat(folder, name.c_str(), kFolderFlags | O_NOFOLLOW));
}

bool clearInside(int folder) {
    bool cleared = true;
    forEachEntry(folder, [&](const std::string& name, const struct stat* st) {
        if (st && S_ISDIR(st->st_mode)) {
            UniqueFd sub = openSubFolder(folder, name);
            bool emptied = sub.valid() && clearInside(sub.get());
            if (!emptied || ::unlinkat(folder, name.c_str(), AT_REMOVEDIR) != 0) cleared = false;
        } else if (::unlinkat(folder, name.c_str(), 0) != 0) {
            cleared = false;
        }
    });
    return cleared;
}

void addSizes(int folder, double& total) {
    forEachEntry(folder, [&](const std::string& name, const struct stat* st) {
        if (!st) return;
        if (S_ISREG(st->st_mode)) {
            total += static_cast<double>(st->st_size);
        } else if (S_ISDIR(st->st_mode)) {
            UniqueFd sub = openSubFolder(folder, name);
            if (sub.valid()) addSizes(sub.get(), total);
        }
    });
}

std::string programFolder() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/'));
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir ? pw->pw_dir : "";
    return home;
}

}  // namespace

namespace {

// The folder of the ORVELLE_HOME or portable rule, or the XDG folder: the
// variable's value when absolute, else `fallback` below the home folder; all
// without a trailing '/'.
std::string placeFor(const ProgramPlaces& places, const std::string& xdgValue, const char* fallback) {
    if (!places.orvelleHome.empty()) return withoutTrailingSlashes(places.orvelleHome);
    if (!places.programFolder.empty() && isRegularFile(places.programFolder + "/orvelle.ini"))
        return withoutTrailingSlashes(places.programFolder);
    std::string base = !xdgValue.empty() && xdgValue[0] == '/' ? xdgValue
                                                                 : withoutTrailingSlashes(places.home) + fallback;
    return withoutTrailingSlashes(base) + "/orvelle";
}

}  // namespace

std::string CacheFolderIn(const ProgramPlaces& places) {
    return placeFor(places, places.xdgCacheHome, "/.cache") + "/Maps/";
}

std::string ConfigFolderIn(const ProgramPlaces& places) {
    return placeFor(places, places.xdgConfigHome, "/.config") + "/";
}

ProgramPlaces CurrentProgramPlaces() {
    return {environment("ORVELLE_HOME"), programFolder(), environment("XDG_CACHE_HOME"), homeFolder(),
            environment("XDG_CONFIG_HOME")};
}

std::string CacheFolder() {
    std::string utf8 = CacheFolderIn(CurrentProgramPlaces());
    std::string text;
    if (!sjis::tryFromUtf8(utf8, text) || sjis::toUtf8(text) != utf8)
        throw Exception(Exception::Utf8{"The cache folder " + utf8 +
                                        " cannot be written in Shift-JIS; set ORVELLE_HOME to a folder whose path can."});
    return text;
}

std::string ExtractionFolder(const std::string& cacheFolder, const std::string& archivePath) {
    std::string_view name = paths::baseNameOf(archivePath);
    if (name.empty() || name == "." || name == "..") name = paths::fileNamePart(archivePath);
    return cacheFolder + std::string(name);
}

bool ClearFolder(const std::string& folder) {
    UniqueFd fd(::open(sjis::toUtf8(folder).c_str(), kFolderFlags));
    if (!fd.valid()) return errno == ENOENT;
    return clearInside(fd.get());
}

void FolderSize(const std::string& folder, double& total) {
    UniqueFd fd(::open(sjis::toUtf8(folder).c_str(), kFolderFlags));
    if (fd.valid()) addSizes(fd.get(), total);
}
