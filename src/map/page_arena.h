#pragma once
// Memory for the lists and pools of the meshes one reader reads, handed out
// in blocks from large regions aligned to 2 MiB that the kernel is asked to
// back with huge pages (madvise MADV_HUGEPAGE): loading then takes about one
// page fault per 2 MiB instead of one per 4 KiB. Blocks are never freed one
// by one; the regions go when the arena does, that is when the last mesh
// store that took memory from it is gone (stores share it).
//
// Threads: one thread allocates from an arena at a time (a reader fills one
// mesh after another); once the meshes are read it is only freed.
#include <cstddef>
#include <vector>

class PageArena {
public:
    static constexpr size_t kHugePage = size_t{2} << 20;
    static constexpr size_t kRegionSize = 2 * kHugePage;

    PageArena() = default;
    ~PageArena();
    PageArena(const PageArena&) = delete;
    PageArena& operator=(const PageArena&) = delete;

    // `bytes` of fresh memory aligned to `align` (at most 4096), zero until
    // written; a request larger than a region gets one of its own.
    void* allocate(size_t bytes, size_t align);

    // Bytes of the regions taken so far (for figures and tests).
    size_t reserved() const { return reserved_; }

private:
    struct Region {
        char* base;
        size_t size;
    };
    Region map(size_t size);

    std::vector<Region> regions_;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t reserved_ = 0;
};
