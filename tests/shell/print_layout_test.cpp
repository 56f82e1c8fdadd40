#include "shell/print_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The rectangle's four sides, for comparing in one step.
std::array<int, 4> sides(const TPrintRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TEST(PrintLayout, MarginsBecomeDotsRoundedHalvesToEven) {
    EXPECT_EQ(MarginDots(10, 600), 236);  // 236.22
    EXPECT_EQ(MarginDots(0, 600), 0);
    EXPECT_EQ(MarginDots(999, 600), 23598);  // 23598.43
    // 12.7 dpi is half a dot per millimetre.
    EXPECT_EQ(MarginDots(1, 12.7), 0);
    EXPECT_EQ(MarginDots(3, 12.7), 2);
    EXPECT_EQ(MarginDots(5, 12.7), 2);
    EXPECT_EQ(MarginDots(7, 12.7), 4);

    // A4 at 600 dpi (Qt's sheet of 4958 x 7017 dots) with the default margins.
    const std::optional<TPrintRect> a4 = PrintRectangle({600, 600, 4958, 7017}, {});
    ASSERT_TRUE(a4);
    EXPECT_EQ(sides(*a4), (std::array<int, 4>{236, 236, 4958 - 236, 7017 - 236}));
    // Each side from its own resolution.
    const std::optional<TPrintRect> mixed = PrintRectangle({300, 600, 3000, 6000}, {10, 20, 30, 40});
    ASSERT_TRUE(mixed);
    EXPECT_EQ(sides(*mixed), (std::array<int, 4>{118, 472, 3000 - 354, 6000 - 945}));
}

TEST(PrintLayout, MarginsThatDoNotFitAreRefused) {
    // 236 + 236 dots of margin across and down.
    const TPrintMargins margins;
    EXPECT_FALSE(PrintRectangle({600, 600, 471, 5000}, margins));  // one dot too many
    EXPECT_FALSE(PrintRectangle({600, 600, 5000, 471}, margins));
    const std::optional<TPrintRect> narrow = PrintRectangle({600, 600, 473, 5000}, margins);  // one dot left
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->Width(), 1);
    EXPECT_EQ(narrow->Left, 236);
    const std::optional<TPrintRect> low = PrintRectangle({600, 600, 5000, 473}, margins);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->Height(), 1);
    // No dot left: nothing to fit the map into.
    EXPECT_FALSE(PrintRectangle({600, 600, 472, 5000}, margins));
    EXPECT_FALSE(PrintRectangle({600, 600, 5000, 472}, margins));
    EXPECT_FALSE(PrintRectangle({600, 600, 0, 0}, {0, 0, 0, 0}));
    EXPECT_TRUE(PrintRectangle({600, 600, 1, 1}, {0, 0, 0, 0}));
}

TEST(PrintLayout, WholeAreaFitsTheLargerScaleAroundTheExtentsMiddle) {
    // 254 dpi: 10 dots a millimetre, so 2000 dots are 200 mm.
    const TPrintPage page{254, 254, 2200, 2200};
    const TPrintRect square{100, 100, 2100, 2100};
    const TPrintView wide = WholeAreaView(MakePoint(1000, 5000, 0), MakePoint(3000, 6000, 0), square, page);
    EXPECT_DOUBLE_EQ(wide.Scale, 10000);  // sx 10000, sy 5000: the data fill the width
    EXPECT_DOUBLE_EQ(wide.CenterX, 2000);
    EXPECT_DOUBLE_EQ(wide.CenterY, 5500);
    const TPrintView tall = WholeAreaView(MakePoint(0, 0, 0), MakePoint(1000, 3000, 0), square, page);
    EXPECT_DOUBLE_EQ(tall.Scale, 15000);
    // Horizontal and vertical resolutions apply to their own axes: 20 mm across, 10 mm down.
    const TPrintView mixed =
        WholeAreaView(MakePoint(0, 0, 0), MakePoint(200, 100, 0), {0, 0, 200, 200}, {254, 508, 200, 200});
    EXPECT_DOUBLE_EQ(mixed.Scale, 10000);
}

TEST(PrintLayout, ScreenRangeKeepsTheScreensScaleAroundTheViewsMiddle) {
    const TPrintView v = ScreenView({-100, 20}, {300, 80}, 9448.8);
    EXPECT_DOUBLE_EQ(v.Scale, 9448.8);
    EXPECT_DOUBLE_EQ(v.CenterX, 100);
    EXPECT_DOUBLE_EQ(v.CenterY, 50);
}

TEST(PrintLayout, TilesCoverTheExtentWithTenMillimetresOverlap) {
    // 254 dpi: 10 dots a millimetre; a rectangle of 200 x 100 mm shows 200 x 100 m at 1:1,000.
    const TPrintPage page{254, 254, 2200, 1200};
    const TPrintRect rect{100, 100, 2100, 1100};
    const std::optional<TTileGrid> g = TileGrid(MakePoint(0, 0, 0), MakePoint(500, 150, 0), rect, page, 1000);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->PageWidth, 200);
    EXPECT_DOUBLE_EQ(g->PageHeight, 100);
    // 500 m need three pages of 200 m advancing 190 m; 150 m two of 100 m advancing 90 m.
    EXPECT_EQ(g->Columns, 3);
    EXPECT_EQ(g->Rows, 2);
    EXPECT_EQ(g->Pages(), 6);
    // The 580 x 190 m they cover, centred on the extent; row 0 in the north.
    EXPECT_DOUBLE_EQ(g->TileMin(0, 0).X, -40);
    EXPECT_DOUBLE_EQ(g->TileMax(0, 2).X, 540);
    EXPECT_DOUBLE_EQ(g->TileMax(0, 0).Y, 170);
    EXPECT_DOUBLE_EQ(g->TileMin(1, 0).Y, -20);
    // Neighbours share 10 m of map: 10 mm of paper at 1:1,000.
    EXPECT_DOUBLE_EQ(g->TileMax(0, 0).X - g->TileMin(0, 1).X, 10);
    EXPECT_DOUBLE_EQ(g->TileMax(1, 1).Y - g->TileMin(0, 1).Y, 10);
    const TPrintView middle = g->Tile(1, 1);
    EXPECT_DOUBLE_EQ(middle.Scale, 1000);
    EXPECT_DOUBLE_EQ(middle.CenterX, 250);
    EXPECT_DOUBLE_EQ(middle.CenterY, 30);

    // An extent that one page holds, or that the pages' steps reach exactly, takes no page more.
    EXPECT_EQ(TileGrid(MakePoint(0, 0, 0), MakePoint(200, 100, 0), rect, page, 1000)->Pages(), 1);
    const std::optional<TTileGrid> exact = TileGrid(MakePoint(0, 0, 0), MakePoint(390, 190, 0), rect, page, 1000);
    EXPECT_EQ(exact->Columns, 2);
    EXPECT_EQ(exact->Rows, 2);
    EXPECT_EQ(TileGrid(MakePoint(0, 0, 0), MakePoint(390.5, 190.5, 0), rect, page, 1000)->Pages(), 9);
    // A rectangle no wider than the overlap advances no page; a scale must be positive.
    EXPECT_FALSE(TileGrid(MakePoint(0, 0, 0), MakePoint(500, 150, 0), {100, 100, 200, 1100}, page, 1000));
    EXPECT_FALSE(TileGrid(MakePoint(0, 0, 0), MakePoint(500, 150, 0), rect, page, 0));
}
