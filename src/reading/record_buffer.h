#pragma once
// The fixed buffer in which a reader collects the vertices or references of
// the feature it is reading. It never reads or writes outside its entries:
// declared counts are clamped to it and records beyond it are dropped, each
// reported with the record's own error line.
#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "reading/layer_file.h"

// Size of the readers' fixed buffers.
inline constexpr int kReadBufferSize = 8192;

template <class T>
class RecordBuffer {
public:
    // The entries are the thread's, reused from file to file (readers of
    // one thread never fill two buffers of one type at once).
    RecordBuffer() : entries_(threadEntries()) {}

    // A new feature starts filling from the first entry.
    void restart() { filled_ = 0; }
    // Stores the next entry; one beyond the buffer is dropped and reported
    // with `text` unless the record's line was reported already.
    void add(const T& value, const LayerFile& file, const std::string& text, bool reported) {
        if (filled_ < kReadBufferSize)
            entries_[static_cast<size_t>(filled_++)] = value;
        else if (!reported)
            file.report(text);
    }
    const T* data() const { return entries_.data(); }
    // The first `count` entries of the feature being read (count is clamped
    // to the buffer): those stored since the last restart, the last of them
    // repeated where fewer were stored, so that a short feature never takes
    // entries left over from an earlier one. Empty when none were stored.
    std::span<const T> padded(int count) {
        if (filled_ == 0 || count <= 0) return {};
        const int n = std::min(count, kReadBufferSize);
        if (n > filled_) std::fill(entries_.begin() + filled_, entries_.begin() + n, entries_[static_cast<size_t>(filled_ - 1)]);
        return {entries_.data(), static_cast<size_t>(n)};
    }

    // A declared entry count, clamped to the buffer; a count outside it is
    // reported with `text` unless the record's line was reported already.
    static int clampCount(int declared, const LayerFile& file, const std::string& text, bool reported) {
        if ((declared < 0 || declared > kReadBufferSize) && !reported) file.report(text);
        return std::clamp(declared, 0, kReadBufferSize);
    }

private:
    static std::vector<T>& threadEntries() {
        thread_local std::vector<T> entries(kReadBufferSize);
        return entries;
    }
    std::vector<T>& entries_;
    int filled_ = 0;
};
