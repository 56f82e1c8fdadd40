// The widget-free renderer: it draws its snapshot (not the document as it is
// later), the selection only where asked, the marks in every output, SVG
// pictures with their header, and printed pages on a PDF writer.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

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
    const std::optional<TMapPageLayout> screen = LayOutMapPage(page, request, area);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->View.Scale, 1234);
    EXPECT_EQ(screen->View.CenterX, 40);
    EXPECT_EQ(screen->Area.left(), MarginDots(10, 600));
    request.WholeArea = true;
    const std::optional<TMapPageLayout> whole = LayOutMapPage(page, request, area);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->View.CenterX, 100);
    EXPECT_EQ(whole->View.CenterY, 75);
    request.Margins = {500, 10, 500, 10};
    EXPECT_FALSE(LayOutMapPage(page, request, area));
}

TEST_F(MapRendererTest, OnePagePerCopyOnAPdfWriter) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&out);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A5));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    const TPrintedArea area{MakePoint(0, 0, 0), MakePoint(200, 150, 0), {0, 0}, {200, 150}, 2000};
    const std::optional<TMapPageLayout> layout = LayOutMapPage(PrintPageOf(pdf), {{10, 10, 10, 10}, 3, true}, area);
    ASSERT_TRUE(layout);
    QPainter painter;
    ASSERT_TRUE(painter.begin(&pdf));
    EXPECT_TRUE(DrawMapPages(pdf, painter, *layout, snapshot(), 3));
    ASSERT_TRUE(painter.end());
    EXPECT_EQ(out.data().count("/Type /Page\n"), 3);
}

}  // namespace
