// The widget-free renderer: it draws its snapshot (not the document as it is
// later), the selection only where asked, the marks in every output, SVG
// pictures with their header, and printed pages on a PDF writer.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "base/exception.h"
#include "base/sjis.h"
#include "render/map_pages.h"
#include "render/map_renderer.h"
#include "render/qpainter_canvas.h"
#include "town_document_test.h"

namespace {

int64_t pixelsOf(const QImage& image, TColor colour) {
    const QRgb wanted = ToQColor(colour).rgb();
    int64_t n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == wanted;
    return n;
}

class MapRendererTest : public TownDocumentTest {
protected:
    void SetUp() override {
        TownDocumentTest::SetUp();
        document_.Display.ViewMode = TViewMode::vmGaiku;
        viewport_.Width = 400;
        viewport_.Height = 300;
        viewport_.FitExtent(0, 200, 0, 150);
    }

    MapSnapshot snapshot() const { return SnapshotOf(document_, viewport_, {}); }

    TViewport viewport_;
};

TEST_F(MapRendererTest, DrawsTheSnapshotWhateverTheDocumentDoesAfterwards) {
    ASSERT_GT(document_.SearchAttrib(-1, -1, false, sjis::fromUtf8(u8"日比谷公園")), 0);
    const MapSnapshot taken = snapshot();
    const QImage before = RenderImage(taken, TSelectionShown::Yes);
    document_.Close();
    const QImage after = RenderImage(taken, TSelectionShown::Yes);
    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(before, after);
    EXPECT_NE(after, RenderImage(taken, TSelectionShown::No));
}

TEST_F(MapRendererTest, SelectionOnlyWhereAsked) {
    ASSERT_GT(document_.SearchAttrib(-1, -1, false, sjis::fromUtf8(u8"日比谷公園")), 0);
    const MapSnapshot taken = snapshot();
    // The town's own red lines are there either way; the park's hatching only with the selection.
    EXPECT_GT(pixelsOf(RenderImage(taken, TSelectionShown::Yes), taken.SelectionStyle.Color),
              pixelsOf(RenderImage(taken, TSelectionShown::No), taken.SelectionStyle.Color));
    MapSnapshot without = taken;
    without.Selection.clear();
    const TSvgHeader header{Qt::white, "t", {}};
    EXPECT_EQ(SvgBytes(taken, header), SvgBytes(without, header));  // the clipboard leaves it out
}

TEST_F(MapRendererTest, MarksAppearInTheImageAndOnThePage) {
    const QImage plain = RenderImage(snapshot(), TSelectionShown::No);
    EXPECT_EQ(pixelsOf(plain, kPlaceColour), 0);
    document_.Marks.Place = TGeoPoint2D{100, 75};
    const MapSnapshot marked = snapshot();
    EXPECT_GT(pixelsOf(RenderImage(marked, TSelectionShown::No), kPlaceColour), 0);

    QImage page(600, 450, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    DrawMapInRect(painter, QRect(50, 50, 500, 350), marked, {2000, 100, 75});
    painter.end();
    EXPECT_GT(pixelsOf(page, kPlaceColour), 0);
}

TEST_F(MapRendererTest, SvgCarriesItsHeaderAndBackground) {
    const QByteArray svg = SvgBytes(snapshot(), {QColor(0x12, 0x34, 0x56), "千代田区", "Orvelle"});
    EXPECT_TRUE(svg.contains("<title>千代田区</title>"));
    EXPECT_TRUE(svg.contains("<desc>Orvelle</desc>"));
    EXPECT_TRUE(svg.contains("#123456"));
    EXPECT_FALSE(SvgBytes(snapshot(), {Qt::white, "x", {}}).contains("Orvelle"));
}

TEST_F(MapRendererTest, PageLayoutTakesTheRangeAskedFor) {
    const TPrintPage page{600, 600, 4960, 7016};
    const TPrintedArea area{MakePoint(0, 0, 0), MakePoint(200, 150, 0), {20, 30}, {60, 50}, 1234};
    TPrintRequest request;
    const auto screen = LayOutMapPages(page, request, area);
    ASSERT_TRUE(screen);
    ASSERT_EQ(screen->size(), 1u);
    EXPECT_EQ(screen->front().View.Scale, 1234);
    EXPECT_EQ(screen->front().View.CenterX, 40);
    EXPECT_EQ(screen->front().Area.left(), MarginDots(10, 600));
    EXPECT_FALSE(screen->front().ShowsScale);  // no scale chosen: the page as ever
    request.WholeArea = true;
    const auto whole = LayOutMapPages(page, request, area);
    ASSERT_TRUE(whole);
    ASSERT_EQ(whole->size(), 1u);
    EXPECT_EQ(whole->front().View.CenterX, 100);
    EXPECT_EQ(whole->front().View.CenterY, 75);
    EXPECT_FALSE(whole->front().ShowsScale);
    EXPECT_TRUE(whole->front().Label.empty());
    // A chosen scale around the view's middle, with "1:N" and the bar.
    request.WholeArea = false;
    request.Scale = 2500;
    const auto chosen = LayOutMapPages(page, request, area);
    ASSERT_TRUE(chosen);
    ASSERT_EQ(chosen->size(), 1u);
    EXPECT_EQ(chosen->front().View.Scale, 2500);
    EXPECT_EQ(chosen->front().View.CenterX, 40);
    EXPECT_EQ(chosen->front().View.CenterY, 40);
    EXPECT_TRUE(chosen->front().ShowsScale);
    request.Margins = {500, 10, 500, 10};
    EXPECT_FALSE(LayOutMapPages(page, request, area));
}

TEST_F(MapRendererTest, TheWholeAreaAtAScaleIsAnOverviewAndItsPages) {
    // 254 dpi, no margins: 10 dots a millimetre, a sheet of 200 x 100 mm; at 1:1,000 a page shows 200 x 100 m.
    const TPrintPage page{254, 254, 2000, 1000};
    const TPrintedArea area{MakePoint(0, 0, 0), MakePoint(500, 150, 0), {0, 0}, {1, 1}, 1};
    const TPrintRequest request{{0, 0, 0, 0}, 1, true, 1000};
    const auto pages = LayOutMapPages(page, request, area);
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->size(), 7u);  // the overview, then 2 rows of 3
    const TMapPageLayout& overview = pages->front();
    EXPECT_FALSE(overview.ShowsScale);
    EXPECT_EQ(overview.View.CenterX, 250);  // the whole area fitted
    ASSERT_EQ(overview.Cells.size(), 6u);
    const char* labels[] = {"R1 C1", "R1 C2", "R1 C3", "R2 C1", "R2 C2", "R2 C3"};
    for (size_t i = 0; i < 6; ++i) {
        const TMapPageLayout& p = (*pages)[i + 1];
        EXPECT_EQ(p.Label, labels[i]);
        EXPECT_EQ(overview.Cells[i].Label, labels[i]);
        EXPECT_TRUE(p.ShowsScale);
        EXPECT_EQ(p.View.Scale, 1000);
        // The cell the overview draws is the map its page shows.
        EXPECT_DOUBLE_EQ(overview.Cells[i].Min.X + 100, p.View.CenterX) << i;
        EXPECT_DOUBLE_EQ(overview.Cells[i].Max.Y - 50, p.View.CenterY) << i;
    }
    EXPECT_DOUBLE_EQ((*pages)[1].View.CenterX, 60);  // the west of the 580 m the pages cover
    EXPECT_DOUBLE_EQ((*pages)[1].View.CenterY, 120);
    EXPECT_DOUBLE_EQ((*pages)[5].View.CenterX - (*pages)[4].View.CenterX, 190);  // 10 m shared
    EXPECT_DOUBLE_EQ((*pages)[1].View.CenterY - (*pages)[4].View.CenterY, 90);

    // More than 999 pages are refused with their count.
    const TPrintRequest tiny{{0, 0, 0, 0}, 1, true, 10};
    try {
        LayOutMapPages(page, tiny, area);
        ADD_FAILURE() << "1:10 laid out";
    } catch (const Exception& e) {
        EXPECT_NE(e.Utf8Text().find("needs 167 x 264 pages"), std::string::npos) << e.Utf8Text();
    }
    // No more room than the overlap.
    EXPECT_FALSE(LayOutMapPages({254, 254, 2000, 100}, request, area));
}

TEST_F(MapRendererTest, OnePagePerCopyOnAPdfWriter) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&out);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A5));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    const TPrintedArea area{MakePoint(0, 0, 0), MakePoint(200, 150, 0), {0, 0}, {200, 150}, 2000};
    const auto pages = LayOutMapPages(PrintPageOf(pdf), {{10, 10, 10, 10}, 3, true}, area);
    ASSERT_TRUE(pages);
    QPainter painter;
    ASSERT_TRUE(painter.begin(&pdf));
    EXPECT_TRUE(DrawMapPages(pdf, painter, *pages, snapshot(), 3));
    ASSERT_TRUE(painter.end());
    EXPECT_EQ(out.data().count("/Type /Page\n"), 3);
}

}  // namespace
