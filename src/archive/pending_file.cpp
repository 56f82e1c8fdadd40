#include "archive/pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace archive {

PendingFile::PendingFile(int folderFd, UniqueFd fd, std::string tempName, std::string finalName)
    : folderFd_(folderFd), fd_(std::move(fd)), tempName_(std::move(tempName)), finalName_(std::move(finalName)) {}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : folderFd_(other.folderFd_),
      fd_(std::move(other.fd_)),
      tempName_(std::move(other.tempName_)),
      finalName_(std::move(other.finalName_)),
      done_(other.done_) {
    other.done_ = true;
}

PendingFile::~PendingFile() {
    if (!done_) {
        fd_.reset();
        ::unlinkat(folderFd_, tempName_.c_str(), 0);
    }
}

std::optional<PendingFile> PendingFile::create(int folderFd, std::string finalName, int& error) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string tempName = ".orvelle-extract-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        UniqueFd fd(::openat(folderFd, tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.valid()) return PendingFile(folderFd, std::move(fd), std::move(tempName), std::move(finalName));
        if (errno != EEXIST) break;
    }
    error = errno;
    return std::nullopt;
}

bool PendingFile::write(const void* data, size_t size, int& error) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_.get(), p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool PendingFile::commit(unsigned modificationTime, int& error) {
    if (modificationTime != 0) {
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(modificationTime);
        times[1].tv_nsec = 0;
        ::futimens(fd_.get(), times);
    }
    if (::close(fd_.release()) != 0) {
        error = errno;
        return false;
    }
    if (::renameat(folderFd_, tempName_.c_str(), folderFd_, finalName_.c_str()) != 0) {
        error = errno;
        return false;
    }
    done_ = true;
    return true;
}

}  // namespace archive
