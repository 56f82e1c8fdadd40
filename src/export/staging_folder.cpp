#include "export/staging_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "export/export_error.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".orvelle-export-";
constexpr const char* kNew = "new";  // the files written
constexpr const char* kOld = "old";  // the files a commit replaces, until it is done

std::string reason(int error) { return std::strerror(error); }

UniqueFd openFolder(int at, const char* name) {
    return UniqueFd(::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::vector<std::string> entries(int folder) {
    std::vector<std::string> names;
    // A descriptor of its own: readdir moves the offset that dup'ed descriptors share.
    DIR* dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());  // a commit moves in a predictable order
    return names;
}

// Renames `name` from one folder to another without ever replacing: EEXIST
// when the name is taken. On a file system without RENAME_NOREPLACE a hard
// link does the same. Returns 0 or the error.
int moveNoReplace(int from, const std::string& name, int to) {
    if (::renameat2(from, name.c_str(), to, name.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (::linkat(from, name.c_str(), to, name.c_str(), 0) != 0) return errno;
    ::unlinkat(from, name.c_str(), 0);
    return 0;
}

// Removes the staging folders of exports whose process has ended (nobody
// holds their lock). Files a commit had moved aside go back where their
// names are still free.
void removeStale(int folder, const fs::path& path) {
    for (const std::string& name : entries(folder)) {
        if (name.rfind(kPrefix, 0) != 0) continue;
        const UniqueFd staging = openFolder(folder, name.c_str());
        if (!staging.valid() || ::flock(staging.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (const UniqueFd old = openFolder(staging.get(), kOld); old.valid())
            for (const std::string& f : entries(old.get())) moveNoReplace(old.get(), f, folder);
        std::error_code ec;
        fs::remove_all(path / name, ec);
    }
}

[[noreturn]] void cannotWriteIn(const fs::path& shown, int error) {
    throw EExportError("cannot write in " + shown.string() + ": " + reason(error), TExportFailure::CannotWrite,
                       shown.string(), reason(error));
}

}  // namespace

TStagingFolder::TStagingFolder(const fs::path& folder) : shownFolder_(folder) {
    const fs::path shown = folder.empty() ? fs::path(".") : folder;
    std::error_code ec;
    const fs::path absolute = fs::absolute(shown, ec);
    folder_.reset(::open(absolute.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (ec || !folder_.valid()) cannotWriteIn(shown, ec ? ec.value() : errno);
    removeStale(folder_.get(), absolute);

    // Locked before use; a folder that another export's cleanup removed
    // between its creation and the lock (it has no links left) is replaced.
    for (int attempt = 0; attempt < 100 && !staging_.valid(); ++attempt) {
        std::string pattern = (absolute / (std::string(kPrefix) + "XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) cannotWriteIn(shown, errno);
        UniqueFd staging = openFolder(folder_.get(), fs::path(pattern).filename().c_str());
        struct stat st {};
        if (!staging.valid() || ::flock(staging.get(), LOCK_EX) != 0 || ::fstat(staging.get(), &st) != 0 ||
            st.st_nlink == 0)
            continue;
        path_ = pattern;
        staging_ = std::move(staging);
    }
    if (!staging_.valid()) cannotWriteIn(shown, EAGAIN);
    if (::mkdirat(staging_.get(), kNew, 0700) != 0 || ::mkdirat(staging_.get(), kOld, 0700) != 0) {
        const int error = errno;
        Remove();
        cannotWriteIn(shown, error);
    }
    new_ = openFolder(staging_.get(), kNew);
    old_ = openFolder(staging_.get(), kOld);
    newFiles_ = path_ / kNew;
}

TStagingFolder::~TStagingFolder() { Remove(); }

void TStagingFolder::RefuseExisting(const std::string& name, bool replace) const {
    struct stat st {};
    const std::string shown = Shown(name).string();
    if (::fstatat(folder_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) return;
        throw EExportError("cannot check " + shown + ": " + reason(errno), TExportFailure::CannotWrite, shown,
                           reason(errno));
    }
    if (!replace)
        throw EExportError(shown + " already exists (--overwrite replaces it)", TExportFailure::DestinationExists,
                           shown);
    if (S_ISDIR(st.st_mode))
        throw EExportError("cannot replace " + shown + ": it is a folder", TExportFailure::CannotWrite, shown,
                           reason(EISDIR));
}

std::vector<std::string> TStagingFolder::written() const { return entries(new_.get()); }

void TStagingFolder::sync(const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
        const UniqueFd file(::openat(new_.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (!file.valid() || ::fsync(file.get()) != 0) {
            const std::string shown = Shown(name).string();
            throw EExportError("cannot write " + shown + ": " + reason(errno), TExportFailure::CannotWrite, shown,
                               reason(errno));
        }
    }
}

std::vector<std::string> TStagingFolder::Commit(bool replace) {
    const std::vector<std::string> names = written();
    sync(names);
    if (!replace)
        for (const std::string& name : names) RefuseExisting(name, false);

    std::vector<std::string> placed, aside;
    // Takes every new name back and puts every old file back, then throws.
    auto fail = [&](const std::string& name, const std::string& message, int error, TExportFailure failure) {
        for (auto it = placed.rbegin(); it != placed.rend(); ++it)
            if (moveNoReplace(folder_.get(), *it, new_.get()) != 0) ::unlinkat(folder_.get(), it->c_str(), 0);
        std::string kept;
        for (auto it = aside.rbegin(); it != aside.rend(); ++it)
            if (moveNoReplace(old_.get(), *it, folder_.get()) != 0) kept += (kept.empty() ? " " : ", ") + *it;
        std::string text = message + ": " + reason(error);
        if (!kept.empty()) {
            keep_ = true;  // the only copy of what the user had
            text += "; the replaced" + kept + " could not be put back and are kept in " + (path_ / kOld).string();
        }
        throw EExportError(text, failure, Shown(name).string(), reason(error));
    };
    for (const std::string& name : names) {
        const std::string shown = Shown(name).string();
        struct stat st {};
        if (::fstatat(folder_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            // Only when replacing: otherwise the name appeared after the check.
            if (!replace) fail(name, shown + " appeared during the export", EEXIST, TExportFailure::DestinationExists);
            if (S_ISDIR(st.st_mode)) fail(name, "cannot replace " + shown, EISDIR, TExportFailure::CannotWrite);
            if (const int error = moveNoReplace(folder_.get(), name, old_.get()))
                fail(name, "cannot move " + shown + " aside", error, TExportFailure::CannotWrite);
            aside.push_back(name);
        } else if (errno != ENOENT) {
            fail(name, "cannot check " + shown, errno, TExportFailure::CannotWrite);
        }
        if (const int error = moveNoReplace(new_.get(), name, folder_.get()))
            fail(name, error == EEXIST ? shown + " appeared during the export" : "cannot move " + shown + " into place",
                 error, error == EEXIST ? TExportFailure::DestinationExists : TExportFailure::CannotWrite);
        placed.push_back(name);
    }
    if (::fsync(folder_.get()) != 0 && errno != EINVAL)
        fail(names.empty() ? std::string() : names.front(), "cannot write in " + shownFolder_.string(), errno,
             TExportFailure::CannotWrite);
    Remove();
    return names;
}

void TStagingFolder::Remove() {
    if (keep_ || path_.empty()) return;
    new_.reset();
    old_.reset();
    std::error_code ec;
    fs::remove_all(path_, ec);
    staging_.reset();  // the lock goes with the folder
    path_.clear();
}
