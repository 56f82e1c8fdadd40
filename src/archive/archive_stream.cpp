#include "archive/archive_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace archive {

ArchiveStream::ArchiveStream(std::unique_ptr<OpenFile> file) : file_(std::move(file)) {
    static const LHAInputStreamType callbacks = {&ArchiveStream::read, &ArchiveStream::skip, nullptr};
    stream_.reset(lha_input_stream_new(&callbacks, file_.get()));
}

ArchiveStream::~ArchiveStream() = default;

std::optional<ArchiveStream> ArchiveStream::open(const std::string& utf8Path, std::string& error) {
    // Non-blocking, so that a FIFO given as the archive cannot hang the open.
    int fd = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        error = std::strerror(errno);
        ::close(fd);
        return std::nullopt;
    }
    ArchiveStream stream(std::make_unique<OpenFile>(file, static_cast<uint64_t>(st.st_size)));
    if (!stream.stream_) {
        error = "out of memory";
        return std::nullopt;
    }
    return stream;
}

int ArchiveStream::read(void* handle, void* buffer, size_t length) {
    auto* f = static_cast<OpenFile*>(handle);
    size_t n = std::fread(buffer, 1, length, f->file);
    if (n == 0 && std::ferror(f->file)) return -1;
    f->offset += n;
    return static_cast<int>(n);
}

// lhasa skips the unread rest of a member's data. Without a skip function
// of its own it would loop for ever at the end of a cut file.
int ArchiveStream::skip(void* handle, size_t length) {
    auto* f = static_cast<OpenFile*>(handle);
    if (f->offset + length > f->size) {
        f->offset = f->size;
        return 0;
    }
    if (::fseeko(f->file, static_cast<off_t>(length), SEEK_CUR) != 0) return 0;
    f->offset += length;
    return 1;
}

int ArchiveStream::byteAt(uint64_t offset) const {
    unsigned char c;
    if (offset >= file_->size || ::pread(::fileno(file_->file), &c, 1, static_cast<off_t>(offset)) != 1) return -1;
    return c;
}

}  // namespace archive
