// One loaded map used by several threads at once: two draw, a third hit-tests,
// asks for addresses and searches. Each gets what it gets alone. Run under
// ThreadSanitizer (scripts/build.sh Thread) this also shows that no thread writes.
#include <gtest/gtest.h>

#include <thread>

#include "random_town.h"
#include "support/recording_canvas.h"

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;

namespace {

std::vector<CanvasCall> drawAll(const TKDKObject& map, TViewMode mode) {
    TDisplayState state = map.DisplayState();
    state.ViewMode = mode;
    RecordingCanvas c;
    Draw(map, state, c, {-1000, -1000}, {1000, 1000}, TWorldToScreenFunc::Linear({-1000, 1000, 0.5, 0.5}));
    return c.calls;
}

std::string queries(const TKDKObject& map) {
    std::string out;
    for (int i = 0; i < 200; ++i) {
        const TGeoPoint p = At(-1500 + 15.0 * i, 1500 - 13.0 * i);
        out += PointedDetails(map, p, 1.5);
        out += CentreAddress(map, p).Chome;
    }
    std::vector<const TKDKElement*> found;
    SearchAttrib(map, -1, -1, found, true, "^ro");
    return out + std::to_string(found.size());
}

TEST(ConcurrentUse, TwoDrawersAndAQuerierShareOneMap) {
    TKDKObject map;
    FillRandomTown(map, 3);
    const auto aloneAll = drawAll(map, TViewMode::vmAll);
    const auto aloneBlocks = drawAll(map, TViewMode::vmGaiku);
    const std::string aloneQueries = queries(map);
    ASSERT_FALSE(aloneAll.empty());

    std::vector<CanvasCall> all, blocks;
    std::string asked;
    std::thread a([&] { all = drawAll(map, TViewMode::vmAll); });
    std::thread b([&] { blocks = drawAll(map, TViewMode::vmGaiku); });
    std::thread c([&] { asked = queries(map); });
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(all.size(), aloneAll.size());
    EXPECT_EQ(blocks.size(), aloneBlocks.size());
    EXPECT_NE(all.size(), blocks.size());
    EXPECT_EQ(asked, aloneQueries);
}

}  // namespace
