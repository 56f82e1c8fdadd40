#pragma once
// The archive file as lhasa reads it, with the count of bytes handed over.
// lhasa reports the end of the archive and a broken or cut header alike (no
// next file), so the extractor compares where the last member should end
// with what the file holds.
#include <lha_input_stream.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace archive {

class ArchiveStream {
public:
    // Opens the file; empty, with `error` set, when it cannot be read.
    static std::optional<ArchiveStream> open(const std::string& utf8Path, std::string& error);

    ArchiveStream(ArchiveStream&& other) noexcept = default;
    ArchiveStream& operator=(ArchiveStream&&) = delete;
    ~ArchiveStream();

    // The stream to give lhasa, owned by this object.
    LHAInputStream* lhasaStream() const { return stream_.get(); }

    // Bytes read or skipped so far, i.e. the file offset lhasa has reached.
    uint64_t offset() const { return file_->offset; }
    uint64_t size() const { return file_->size; }
    // The byte at `offset`, or -1 past the end.
    int byteAt(uint64_t offset) const;

private:
    struct OpenFile {  // kept apart so that lhasa's handle survives moves
        OpenFile(FILE* f, uint64_t s) : file(f), size(s) {}
        OpenFile(const OpenFile&) = delete;
        OpenFile& operator=(const OpenFile&) = delete;
        ~OpenFile() { std::fclose(file); }
        FILE* file;
        uint64_t size;
        uint64_t offset = 0;
    };
    explicit ArchiveStream(std::unique_ptr<OpenFile> file);
    static int read(void* handle, void* buffer, size_t length);
    static int skip(void* handle, size_t length);

    std::unique_ptr<OpenFile> file_;
    struct StreamFree {
        void operator()(LHAInputStream* s) const { lha_input_stream_free(s); }
    };
    std::unique_ptr<LHAInputStream, StreamFree> stream_;  // freed before the file closes
};

}  // namespace archive
