// The arena the mesh stores take their blocks from: blocks are aligned,
// never overlap and keep what was written, across regions and for requests
// larger than a region; lists and pools of several stores sharing one arena
// keep their elements apart.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "map/block_list.h"
#include "map/chunk_pool.h"
#include "map/page_arena.h"

namespace {

TEST(PageArena, BlocksAreAlignedDisjointAndKeepTheirBytes) {
    PageArena arena;
    struct Block {
        unsigned char* at;
        size_t size;
    };
    std::vector<Block> blocks;
    // Sizes and alignments mixed so that blocks straddle region ends, plus
    // one request larger than a region.
    const size_t sizes[] = {1, 13, 4096, 8192, 100000, 3 * PageArena::kRegionSize, 777, 1 << 20};
    const size_t aligns[] = {1, 4, 8, 16, 4096};
    for (int round = 0; round < 40; ++round) {
        const size_t size = sizes[round % std::size(sizes)];
        const size_t align = aligns[round % std::size(aligns)];
        auto* at = static_cast<unsigned char*>(arena.allocate(size, align));
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(at) % align, 0u) << "round " << round;
        std::memset(at, round + 1, size);
        blocks.push_back({at, size});
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        EXPECT_EQ(b.at[0], static_cast<unsigned char>(i + 1)) << "block " << i;
        EXPECT_EQ(b.at[b.size - 1], static_cast<unsigned char>(i + 1)) << "block " << i;
    }
    EXPECT_EQ(arena.reserved() % PageArena::kHugePage, 0u);
    EXPECT_GE(arena.reserved(), 3 * PageArena::kRegionSize);
}

TEST(PageArena, ListsAndPoolsSharingAnArenaKeepTheirElements) {
    auto arena = std::make_shared<PageArena>();
    BlockList<int64_t> a, b;
    a.useArena(arena.get());
    b.useArena(arena.get());
    ChunkPool<int32_t> pool(arena.get());
    std::vector<std::span<const int32_t>> arrays;
    for (int32_t i = 0; i < 200000; ++i) {
        a.emplace_back(i);
        b.emplace_back(-static_cast<int64_t>(i));
        if (i % 97 == 0) {
            // Arrays of every length up to beyond a block.
            std::vector<int32_t> values(static_cast<size_t>(i % 5000), i);
            arrays.push_back(pool.copy(std::span<const int32_t>(values)));
        }
    }
    for (int32_t i = 0; i < 200000; ++i) {
        ASSERT_EQ(a[static_cast<size_t>(i)], i);
        ASSERT_EQ(b[static_cast<size_t>(i)], -static_cast<int64_t>(i));
    }
    for (size_t k = 0; k < arrays.size(); ++k) {
        const int32_t i = static_cast<int32_t>(k * 97);
        ASSERT_EQ(arrays[k].size(), static_cast<size_t>(i % 5000));
        for (int32_t v : arrays[k]) ASSERT_EQ(v, i);
    }
}

}  // namespace
