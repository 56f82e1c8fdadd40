#include "map/page_arena.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

size_t roundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

}  // namespace

PageArena::~PageArena() {
    for (const Region& r : regions_) munmap(r.base, r.size);
}

PageArena::Region PageArena::map(size_t size) {
    // Over-map by one huge page and trim both ends to the alignment.
    const size_t span = size + kHugePage;
    void* p = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    char* raw = static_cast<char*>(p);
    char* base = reinterpret_cast<char*>(roundUp(reinterpret_cast<uintptr_t>(raw), kHugePage));
    if (base > raw) munmap(raw, static_cast<size_t>(base - raw));
    const size_t tail = static_cast<size_t>(raw + span - (base + size));
    if (tail > 0) munmap(base + size, tail);
    madvise(base, size, MADV_HUGEPAGE);  // advice only: without it the pages are small
    regions_.push_back({base, size});
    reserved_ += size;
    return regions_.back();
}

void* PageArena::allocate(size_t bytes, size_t align) {
    if (bytes == 0) bytes = 1;
    char* at = reinterpret_cast<char*>(roundUp(reinterpret_cast<uintptr_t>(next_), align));
    if (!next_ || at + bytes > end_) {
        if (bytes > kRegionSize / 2) return map(roundUp(bytes, kHugePage)).base;  // a region of its own
        const Region r = map(kRegionSize);
        next_ = r.base;
        end_ = r.base + r.size;
        at = next_;
    }
    next_ = at + bytes;
    return at;
}
