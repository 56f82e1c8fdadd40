#include "archive/safe_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace archive {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

FolderStatus statusOf(int parent, const std::string& name, int error) {
    struct stat st;
    if (error == ELOOP) return FolderStatus::kSymbolicLink;
    if (::fstatat(parent, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) return FolderStatus::kSymbolicLink;
        if (!S_ISDIR(st.st_mode)) return FolderStatus::kNotAFolder;
    }
    return FolderStatus::kFailed;
}

}  // namespace

std::optional<SafeFolder> SafeFolder::open(const std::string& utf8Path, std::string& error) {
    std::error_code ec;
    const bool made = std::filesystem::create_directories(utf8Path, ec);
    UniqueFd fd(::open(utf8Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return SafeFolder(std::move(fd), made);
}

UniqueFd SafeFolder::openFolder(const std::vector<std::string>& utf8Names, size_t count, FolderStatus& status,
                                int& error, std::vector<std::vector<std::string>>* created) const {
    UniqueFd current(::fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    status = FolderStatus::kOk;
    error = 0;
    for (size_t i = 0; i < count && current.valid(); ++i) {
        const std::string& name = utf8Names[i];
        if (::mkdirat(current.get(), name.c_str(), 0777) == 0) {
            if (created) created->emplace_back(utf8Names.begin(), utf8Names.begin() + static_cast<std::ptrdiff_t>(i + 1));
        } else if (errno != EEXIST) {
            error = errno;
            status = FolderStatus::kFailed;
            return UniqueFd();
        }
        UniqueFd next(::openat(current.get(), name.c_str(), kFolderFlags));
        if (!next.valid()) {
            error = errno;
            status = statusOf(current.get(), name, error);
            return UniqueFd();
        }
        current = std::move(next);
    }
    if (!current.valid()) {
        error = errno;
        status = FolderStatus::kFailed;
    }
    return current;
}

bool SafeFolder::remove(const std::vector<std::string>& utf8Names, bool folder) const {
    if (utf8Names.empty()) return false;
    UniqueFd current(::fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    for (size_t i = 0; i + 1 < utf8Names.size() && current.valid(); ++i)
        current = UniqueFd(::openat(current.get(), utf8Names[i].c_str(), kFolderFlags));
    return current.valid() && ::unlinkat(current.get(), utf8Names.back().c_str(), folder ? AT_REMOVEDIR : 0) == 0;
}

}  // namespace archive
