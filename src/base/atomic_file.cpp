#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

AtomicFile::AtomicFile(std::string destination, ExistingFile existing)
    : destination_(std::move(destination)), existing_(existing) {}

AtomicFile::~AtomicFile() {
    if (!committed_) discard();
}

std::error_code AtomicFile::Create() {
    const std::filesystem::path path(destination_);
    name_ = path.filename().string();
    if (name_.empty() || name_ == "." || name_ == "..") return std::make_error_code(std::errc::is_a_directory);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // Every later step names its files relative to this folder, so a rename of
    // a folder on the way cannot move the write elsewhere.
    folder_.reset(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder_.valid()) return lastError();

    struct stat there;
    if (::fstatat(folder_.get(), name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(there.st_mode)) return std::make_error_code(std::errc::is_a_directory);
        if (existing_ == ExistingFile::Keep) return std::make_error_code(std::errc::file_exists);
        if (S_ISREG(there.st_mode) && ::faccessat(folder_.get(), name_.c_str(), W_OK, AT_EACCESS) != 0)
            return lastError();
    } else if (errno != ENOENT) {
        return lastError();
    }

    std::random_device random;
    for (int attempt = 0; attempt < 64; ++attempt) {
        char name[24];
        std::snprintf(name, sizeof name, ".orvelle-%08x", static_cast<unsigned>(random()));
        // 0666 less the umask: the mode of any new file, not mkstemp's 0600.
        file_.reset(::openat(folder_.get(), name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file_.valid()) {
            temporaryName_ = name;
            temporaryPath_ = (path.parent_path() / name).string();
            return {};
        }
        if (errno != EEXIST) return lastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

std::error_code AtomicFile::Write(std::string_view bytes) {
    if (failed_) return failed_;
    if (!file_.valid()) return std::make_error_code(std::errc::bad_file_descriptor);
    while (!bytes.empty()) {
        const ssize_t written = ::write(file_.get(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return fail();
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return {};
}

std::error_code AtomicFile::Commit() {
    if (failed_) return failed_;
    if (!file_.valid()) return std::make_error_code(std::errc::bad_file_descriptor);
    // fsync flushes the file's data whoever wrote it, this descriptor or a writer that opened the path.
    if (::fsync(file_.get()) != 0) return fail();
    if (::close(file_.release()) != 0) return fail();
    const char* from = temporaryName_.c_str();
    int moved = ::renameat2(folder_.get(), from, folder_.get(), name_.c_str(),
                            existing_ == ExistingFile::Keep ? RENAME_NOREPLACE : 0);
    if (moved != 0 && errno == EINVAL && existing_ == ExistingFile::Keep) {
        // A file system without RENAME_NOREPLACE: a hard link fails the same way when the name exists.
        moved = ::linkat(folder_.get(), from, folder_.get(), name_.c_str(), 0);
        if (moved == 0) ::unlinkat(folder_.get(), from, 0);
    }
    if (moved != 0) return fail();
    committed_ = true;
    // Makes the new name itself durable; a folder that cannot be synced still holds it.
    UniqueFd folder(::openat(folder_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
    return {};
}

std::error_code AtomicFile::fail() {
    failed_ = lastError();
    discard();
    return failed_;
}

void AtomicFile::discard() {
    file_.reset();
    if (!temporaryName_.empty()) ::unlinkat(folder_.get(), temporaryName_.c_str(), 0);
    temporaryName_.clear();
}

std::error_code WriteFileAtomically(const std::string& destination, std::string_view content, ExistingFile existing) {
    AtomicFile file(destination, existing);
    if (std::error_code e = file.Create()) return e;
    if (std::error_code e = file.Write(content)) return e;
    return file.Commit();
}
