// The map panel driven through its real paint surface with QTest mouse, wheel
// and key events: fitting, zooming, resizing, the three gestures, the events'
// coordinates, rendering versus painting, selection output and loading.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "base/number_text.h"
#include "reading/read_errors.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "view_qt/geo_panel.h"
#include "view_qt/paint_box.h"

namespace {

using testsupport::MeshFixture;

constexpr double kMetresPerInch = 0.0254;

struct MouseRecord {
    int calls = 0;
    QObject* sender = nullptr;
    int x = 0, y = 0;
    double rx = 0, ry = 0;
};

}  // namespace

class GeoPanelTest : public QObject {
    Q_OBJECT

private:
    testsupport::TempDir dir_;
    std::unique_ptr<TGeoPanel> panel_;
    std::string town_;

    // A shown 600 x 400 panel; with the town loaded and drawn at 2 px/m when asked
    // (world (x, y) shows at ((x + 50) * 2, (175 - y) * 2)).
    TGeoPanel& makePanel(bool withTown) {
        panel_ = std::make_unique<TGeoPanel>();
        panel_->resize(600, 400);
        panel_->show();
        if (!QTest::qWaitForWindowExposed(panel_.get())) qFatal("panel not exposed");
        panel_->FlushPendingRender();
        if (withTown) {
            panel_->LoadMeshFile(town_);
            panel_->Redraw();
            panel_->Image();  // the rendering runs in the background: wait for it
        }
        return *panel_;
    }

    QWidget* surface() { return panel_->PaintBox(); }

    // A mesh description with the extent and no layers: no block data.
    std::string emptyMesh(const std::string& name, double width, double height) {
        MeshFixture m(dir_.path(), name);
        m.description().southWest = {0, 0};
        m.description().northEast = {width, height};
        return m.write().string();
    }

    void wheel(QPoint at, int angle) {
        QWheelEvent e(at, surface()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(surface(), &e);
    }

    void drag(QPoint from, QPoint via, QPoint to) {
        QTest::mousePress(surface(), Qt::LeftButton, {}, from);
        QTest::mouseMove(surface(), via);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, to);
    }

private slots:
    void initTestCase() { town_ = testsupport::writeTown(dir_.path() / "town").string(); }
    void cleanup() { panel_.reset(); }

    void constructorValues() {
        TGeoPanel& p = makePanel(false);
        QCOMPARE(p.OperationMode(), TOperationMode::omZoomRect);
        QCOMPARE(p.ZoomFactor(), 1.25);
        QCOMPARE(p.ZoomOutLimit(), 1000000.0);
        QCOMPARE(p.SelectSize, 3);
        QCOMPARE(p.SelectBrushStyle, TBrushStyle::bsDiagCross);
        QCOMPARE(p.CoordsFormat(), TCoordsFormat::cfGeodeticWGS);
        // Stored, not yet chosen for the translator.
        QCOMPARE(p.Translator().GetTargetFormat(), TCoordsFormat::cfCartesian);
        QVERIFY(!p.DataLoaded());
        QVERIFY(!p.GetCategoryVisible(21));
        QVERIFY(!p.SetCategoryVisible(21, false));
        QCOMPARE(p.GetSourceFormat(), TCoordsFormat::cfCartesian);
    }

    void fitsTheExtentAndShowsTheDisplayScale() {
        TGeoPanel& p = makePanel(false);
        QCOMPARE(p.PixelsPerInch(), 96.0);  // the offscreen screen's logical resolution
        p.LoadMeshFile(emptyMesh("A0000001", 1000, 500));
        QCOMPARE(p.View().ScaleX, 0.4);
        QCOMPARE(p.View().MaxX - p.View().MinX, 1500.0);
        QCOMPARE(p.View().MaxY - p.View().MinY, 1000.0);
        QCOMPARE(p.View().CenterX, 500.0);
        QCOMPARE(p.View().CenterY, 250.0);
        const int renders = p.RenderCount();
        p.Redraw();
        QCOMPARE(renders + 1, p.RenderCount());  // LoadMeshFile did not redraw
        QVERIFY(std::fabs(p.DispScale() - 9448.8) < 0.05);

        p.ZoomToBox(0, 100, 0, 10);
        QCOMPARE(p.View().ScaleX, 40.0);  // the 10 m side fills 400 pixels
        p.ZoomToBox(0, 100, 5, 5);         // zero height: that axis counts 1.0, the larger wins
        QCOMPARE(p.View().ScaleX, 4.0);
        p.ZoomToBox(0, 0.0001, 0, 0.0001);
        QVERIFY(std::fabs(p.View().ScaleX - 96 / kMetresPerInch) < 1e-9);  // 1:1
        p.ZoomBy(1e12);
        QVERIFY(std::fabs(p.View().ScaleX - 96 / kMetresPerInch / 1e6) < 1e-15);  // 1:1,000,000

        p.ZoomReset();
        p.CentreOn(300, 100);
        p.ZoomIn();
        QCOMPARE(p.View().ScaleX, 0.5);
        p.ZoomOut();
        QVERIFY(std::fabs(p.View().ScaleX - 0.4) < 1e-12);
        QVERIFY(std::fabs(p.View().CenterX - 300) < 1e-9 && std::fabs(p.View().CenterY - 100) < 1e-9);
    }

    void resizeKeepsCentreAndScaleAndRendersOnceSettled() {
        TGeoPanel& p = makePanel(true);
        int resized = 0, paints = 0;
        QObject::connect(&p, &TGeoPanel::OnResize, [&](QObject* sender) {
            QCOMPARE(sender, static_cast<QObject*>(&p));
            ++resized;
        });
        QObject::connect(&p, &TGeoPanel::OnPaint, [&] { ++paints; });
        p.ZoomToBox(90, 110, 60, 80);
        p.Redraw();
        const TViewState before = p.View();
        const int renders = p.RenderCount();
        p.resize(800, 500);
        QCOMPARE(p.View().ScaleX, before.ScaleX);
        QCOMPARE(p.View().CenterX, before.CenterX);
        QCOMPARE(p.View().CenterY, before.CenterY);
        QCOMPARE(p.View().MaxX - p.View().MinX, 800 / before.ScaleX);
        QCOMPARE(p.RenderCount(), renders);  // the old image stands in at first
        QTRY_COMPARE(p.RenderCount(), renders + 1);
        QCOMPARE(resized, 1);
        QCOMPARE(paints, 2);
        QCOMPARE(p.Image().size(), QSize(800, 500));
        p.ZoomReset();
        QCOMPARE(p.View().ScaleX, 500 / 200.0);  // the home view fits the new size
    }

    void noBlockDataSwitchesToNoGaikuForGood() {
        TGeoPanel& p = makePanel(false);
        p.ViewMode = TViewMode::vmGaiku;
        p.LoadMeshFile(town_);
        QCOMPARE(p.ViewMode, TViewMode::vmGaiku);
        p.CloseData();
        p.LoadMeshFile(emptyMesh("09LD1002", 200, 150));
        QCOMPARE(p.ViewMode, TViewMode::vmNoGaiku);
        p.LoadMeshFile(town_);  // merged: now with blocks
        QVERIFY(p.MapObject()->HasBlocks);
        QCOMPARE(p.ViewMode, TViewMode::vmNoGaiku);
    }

    void failingFirstLoadKeepsThePartialMap() {
        TGeoPanel& p = makePanel(false);
        MeshFixture bad(dir_.path(), "B0000001");
        bad.description().northEast = {100, 100};
        bad.layer("A\\A.ARC", {meshfiles::arcRecord(2110, 0, 1, 1), "0,0"}).listOnly("B0000001\\A\\MISSING.PGN");
        const TViewState before = p.View();
        QVERIFY_THROWS_EXCEPTION(TKDKReadException, p.LoadMeshFile(bad.write().string()));
        QVERIFY(p.DataLoaded());
        QCOMPARE(p.MapObject()->Lines().size(), size_t{1});
        QCOMPARE(p.View().ScaleX, before.ScaleX);  // no refit after the error
        QCOMPARE(p.DataExtentMin().X, 1e15);
    }

    void bandZoomsOnlyWhenLargerThanTwoPixels() {
        TGeoPanel& p = makePanel(true);
        const int renders = p.RenderCount();
        drag({100, 100}, {102, 150}, {102, 150});  // 2 px wide
        QCOMPARE(p.View().ScaleX, 2.0);
        QCOMPARE(p.GestureState(), TGestureState::gsIdle);
        drag({100, 100}, {100, 100}, {100, 100});  // a click
        QCOMPARE(p.View().ScaleX, 2.0);
        QCOMPARE(p.RenderCount(), renders);
        drag({100, 100}, {103, 103}, {103, 103});  // 3 x 3 zooms
        QVERIFY(p.View().ScaleX > 100);
        QCOMPARE(p.RenderCount(), renders + 1);
    }

    void bandCornerIsTheLastMoveNotTheRelease() {
        TGeoPanel& p = makePanel(true);
        // (100, 100)-(300, 200) is world (0, 125)-(100, 75): its 50 m side fills 400 pixels.
        drag({100, 100}, {300, 200}, {500, 390});
        QCOMPARE(p.View().ScaleX, 8.0);
        QCOMPARE(p.View().CenterX, 50.0);
        QCOMPARE(p.View().CenterY, 100.0);
    }

    void bandIsPaintedInNotXorOverTheImage() {
        TGeoPanel& p = makePanel(true);
        QTest::mousePress(surface(), Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(surface(), {300, 200});
        QCOMPARE(p.GestureState(), TGestureState::gsZoomRect);
        QCOMPARE(p.LastPoint(), QPoint(300, 200));
        const QImage shown = surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Along the band's left edge every pixel is either the image's or, on the
        // dashes, the inverse of (red XOR the image's).
        int inverted = 0;
        for (int y = 100; y < 200; ++y) {
            const QRgb under = p.Image().pixel(100, y) & 0xFFFFFF, seen = shown.pixel(100, y) & 0xFFFFFF;
            if (seen == (~(0xFF0000u ^ under) & 0xFFFFFF)) ++inverted;
            else QCOMPARE(seen, under);
        }
        QVERIFY(inverted > 50);  // dash-dot-dot: 15 of every 24 pixels
        QCOMPARE(shown.pixel(200, 150), p.Image().pixel(200, 150));  // inside the band
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, {300, 200});
    }

    void dragMovesTheCentreWithThePointer() {
        TGeoPanel& p = makePanel(true);
        p.SetOperationMode(TOperationMode::omMoveDrag);
        const TViewState before = p.View();
        const int renders = p.RenderCount();
        QTest::mousePress(surface(), Qt::LeftButton, {}, {200, 200});
        QTest::mouseMove(surface(), {250, 220});
        QCOMPARE(p.GestureState(), TGestureState::gsMoveDrag);
        QCOMPARE(p.DragCentre(), QPoint(300, 200));
        // The preview is the last image shifted, over the client area colour.
        const QImage shown = surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(180 + 50, 270 + 20), p.Image().pixel(180, 270));
        QCOMPARE(shown.pixel(10, 10), qRgb(255, 255, 255));
        QCOMPARE(p.RenderCount(), renders);
        QCOMPARE(surface()->cursor().shape(), Qt::BitmapCursor);  // the grab hand of the resources
        QCOMPARE(surface()->cursor().pixmap().size(), QSize(32, 32));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, {250, 220});
        QCOMPARE(p.View().CenterX, before.CenterX - 25);
        QCOMPARE(p.View().CenterY, before.CenterY + 10);
        QCOMPARE(p.RenderCount(), renders + 1);
    }

    void selectTestsThePressPoint() {
        TGeoPanel& p = makePanel(true);
        p.SetOperationMode(TOperationMode::omSelectPoint);
        std::string seenInMouseUp;
        QObject::connect(&p, &TGeoPanel::OnMouseUp, [&] {
            seenInMouseUp = p.PointedAttribs();
        });
        drag({180, 270}, {560, 30}, {560, 30});  // press on the school, release outside the town
        const double tolerance = 3 / 2.0;
        const std::string expected = PointedDetails(*p.MapObject(), MakePoint(40, 40, 0), tolerance);
        QVERIFY(!expected.empty());
        QCOMPARE(p.PointedAttribs(), expected);
        QCOMPARE(seenInMouseUp, expected);
        QCOMPARE(surface()->cursor().shape(), Qt::ArrowCursor);
    }

    void withoutDataMovesAreIgnored() {
        TGeoPanel& p = makePanel(false);
        int moves = 0, downs = 0;
        QObject::connect(&p, &TGeoPanel::OnMouseMove, [&] { ++moves; });
        QObject::connect(&p, &TGeoPanel::OnMouseDown, [&] { ++downs; });
        const TViewState before = p.View();
        drag({100, 100}, {300, 300}, {300, 300});
        QCOMPARE(moves, 0);
        QCOMPARE(downs, 1);
        QCOMPARE(p.LastPoint(), QPoint(100, 100));  // the band never grew
        QCOMPARE(p.View().ScaleX, before.ScaleX);
        p.SetOperationMode(TOperationMode::omSelectPoint);
        drag({100, 100}, {300, 300}, {300, 300});
        QVERIFY(p.PointedAttribs().empty());
    }

    void movesReportConvertedCoordinatesPressesMetres() {
        TGeoPanel& p = makePanel(true);
        MouseRecord down, move;
        QObject::connect(&p, &TGeoPanel::OnMouseDown,
                         [&](QObject* s, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y, double rx, double ry) {
            down = {down.calls + 1, s, x, y, rx, ry};
        });
        QObject::connect(&p, &TGeoPanel::OnMouseMove,
                         [&](QObject* s, Qt::KeyboardModifiers, int x, int y, double rx, double ry) {
            move = {move.calls + 1, s, x, y, rx, ry};
        });
        QTest::mouseMove(surface(), {300, 150});  // world (100, 100)
        QCOMPARE(move.sender, static_cast<QObject*>(surface()));
        QCOMPARE(move.rx, 100.0);  // the constructor's format is not chosen yet
        QCOMPARE(move.ry, 100.0);

        p.SetCoordsFormat(TCoordsFormat::cfGeodeticWGS);
        QTest::mouseMove(surface(), {302, 150});  // world (101, 100)
        const TGeoPoint2D expected = p.Translator().Transform({101, 100});
        QCOMPARE(move.rx, expected.X);
        QCOMPARE(move.ry, expected.Y);
        QVERIFY(move.ry > 30 * 360000.0);  // hundredths of an arc-second, in Japan
        QTest::mousePress(surface(), Qt::RightButton, {}, {302, 150});
        QCOMPARE(down.sender, static_cast<QObject*>(surface()));
        QCOMPARE(down.rx, 101.0);
        QCOMPARE(down.ry, 100.0);
        QCOMPARE(p.GestureState(), TGestureState::gsIdle);  // only the left button starts a gesture
        QTest::mouseRelease(surface(), Qt::RightButton, {}, {302, 150});

        p.SetCoordsFormat(TCoordsFormat::cfCartesian);
        QTest::mouseMove(surface(), {300, 150});
        QCOMPARE(move.rx, 100.0);
    }

    void redrawFiresOnPaintWhenDrawingRaises() {
        TGeoPanel& p = makePanel(false);
        MeshFixture m(dir_.path(), "09LD1003");
        m.description().southWest = {0, 0};
        m.description().northEast = {100, 100};
        std::vector<std::string> arcs{meshfiles::arcRecord(1105, 0, 1, 5)};
        for (meshfiles::XY v : std::vector<meshfiles::XY>{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}})
            arcs.push_back(meshfiles::vertexRecord(v));
        m.layer("GYOUSEI\\GYOUSEI.ARC", arcs);
        m.layer("GYOUSEI\\GYOUSEI.PGN",
                {meshfiles::polygonRecord(1105, 1, 1, {50, 50}), meshfiles::arcRefRecord(1)});
        m.layer("GYOUSEI\\GYOUSEI.ATR", {meshfiles::attributeRecord('A', 1105, 1, {"AB101", u8"区"})});
        p.LoadMeshFile(m.write().string());
        int paints = 0;
        QObject::connect(&p, &TGeoPanel::OnPaint, [&] { ++paints; });
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.Redraw());
        QCOMPARE(paints, 1);
        QVERIFY(!p.Image().isNull());  // the map was drawn before the centre address failed
    }

    void paintingShowsTheImageWithoutRendering() {
        TGeoPanel& p = makePanel(true);
        int repaints = 0;
        QObject::connect(&p, &TGeoPanel::OnRePaint, [&] { ++repaints; });
        const int renders = p.RenderCount();
        const QImage shown = surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, p.Image());
        QCOMPARE(p.RenderCount(), renders);
        QCOMPARE(repaints, 1);
    }

    void selectionIsOnScreenButNotInCopiesOrPrints() {
        TGeoPanel& p = makePanel(true);
        const QImage plain = p.Image();
        const QByteArray svgPlain = p.SvgPicture();
        // World 50..150 x 37.5..112.5 at 1 px/m into the rectangle (50, 40, 100 x 75).
        auto printed = [&] {
            QImage page(300, 200, QImage::Format_RGB32);
            page.setDotsPerMeterY(10000);  // 254 dpi: 1:10000 is 1 px/m
            page.setDotsPerMeterX(10000);
            page.fill(Qt::white);
            QPainter painter(&page);
            p.DrawTo(painter, QRect(50, 40, 100, 75), 10000, 100, 75);
            return page;
        };
        const QImage pagePlain = printed();
        auto redInPark = [](const QImage& image) {
            int red = 0;
            for (int y = 130; y < 180; ++y)
                for (int x = 340; x < 460; ++x) red += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
            return red;
        };
        QCOMPARE(redInPark(plain), 0);
        for (const TKDKPolygon* polygon : p.MapObject()->Polygons())
            if (polygon->Code() == 6242) p.SelectedFeatures.push_back(polygon);
        QCOMPARE(p.SelectedFeatures.size(), size_t{1});
        p.Redraw();
        QVERIFY(redInPark(p.Image()) > 500);  // hatched

        const TViewState view = p.View();
        QCOMPARE(printed(), pagePlain);
        QCOMPARE(p.View().MinX, view.MinX);  // restored after printing
        QCOMPARE(p.View().ScaleX, view.ScaleX);
        // The 7 m road along world y = 75 is cut at the rectangle's edge.
        const QRgb road = pagePlain.pixel(60, 40 + 37);
        QVERIFY(road != qRgb(255, 255, 255));
        QCOMPARE(pagePlain.pixel(49, 40 + 37), qRgb(255, 255, 255));
        QCOMPARE(pagePlain.pixel(150, 40 + 37), qRgb(255, 255, 255));
        // The park at world (125, 105), as on the screen.
        QCOMPARE(pagePlain.pixel(50 + 75, 40 + 7), plain.pixel(350, 140));

        p.CopyToClipboard();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime && mime->hasFormat("image/svg+xml"));
        QCOMPARE(mime->formats().size(), 1);
        QCOMPARE(mime->data("image/svg+xml"), svgPlain);
        QVERIFY(svgPlain.contains("<svg"));
    }

    void wheelZoomsAboutThePointer() {
        TGeoPanel& p = makePanel(true);
        const int renders = p.RenderCount();
        const QPoint at(150, 300);
        const TGeoPoint2D before = p.ScreenToWorld(at.x(), at.y());
        wheel(at, 120);
        QCOMPARE(p.View().ScaleX, 2 * 1.25);
        const TGeoPoint2D after = p.ScreenToWorld(at.x(), at.y());
        QVERIFY(std::fabs(after.X - before.X) < 1e-9 && std::fabs(after.Y - before.Y) < 1e-9);
        QCOMPARE(p.RenderCount(), renders);  // the scaled old image shows first
        wheel(at, -60);  // half a notch out
        QVERIFY(std::fabs(p.View().ScaleX - 2 * std::pow(1.25, 0.5)) < 1e-12);
        QTRY_COMPARE(p.RenderCount(), renders + 1);
    }

    void keysPanAndZoom() {
        TGeoPanel& p = makePanel(true);
        p.setFocus();
        const TViewState home = p.View();
        QTest::keyClick(&p, Qt::Key_Right);
        QCOMPARE(p.View().CenterX, home.CenterX + 300 / 4.0);  // a quarter of 600 px at 2 px/m
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.View().CenterY, home.CenterY + 200 / 4.0);
        QTest::keyClick(&p, Qt::Key_Plus);
        QCOMPARE(p.View().ScaleX, 2.5);
        QTest::keyClick(&p, Qt::Key_Home);
        QCOMPARE(p.View().CenterX, home.CenterX);
        QCOMPARE(p.View().ScaleX, home.ScaleX);
    }
};

QTEST_MAIN(GeoPanelTest)
#include "geo_panel_test.moc"
