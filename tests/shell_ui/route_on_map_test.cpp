// The route in the viewer: its ends chosen from the map's context menu, the
// search on a worker thread, the line over the map and in the copied
// picture, the length in status panel 3, clearing, and a new load.
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "routing/road_graph.h"
#include "support/child.h"
#include "view_qt/paint_box.h"
#include "window_with_town.h"

using testsupport::Child;

namespace fs = std::filesystem;

class RouteOnMapTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowWithTown> window_;
    TMainForm* form_ = nullptr;

    TMainForm& openTown() {
        window_ = std::make_unique<WindowWithTown>();
        form_ = &window_->Open(QSize(800, 600));
        return *form_;
    }

    // Opens the map's context menu at a world point and chooses `caption`.
    void chooseFromContextMenu(double x, double y, const QString& caption) {
        TGeoPanel& panel = *Child<TGeoPanel>(*form_, "GeoPanel1");
        const TScreenPoint device = panel.WorldToScreen(MakePoint(x, y, 0));
        const QPoint local(device.X, device.Y);  // one device pixel per logical pixel offscreen
        bool chosen = false;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (a->text() == caption && a->isEnabled()) {
                    menu->close();
                    a->trigger();
                    chosen = true;
                }
            menu->close();
        });
        QWidget* surface = panel.PaintBox();
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, surface->mapToGlobal(local));
        QApplication::sendEvent(surface, &event);
        QVERIFY2(chosen, qPrintable(caption));
    }

    QRgb pixelAt(double x, double y) {
        const TScreenPoint p = Child<TGeoPanel>(*form_, "GeoPanel1")->WorldToScreen(MakePoint(x, y, 0));
        return Child<TGeoPanel>(*form_, "GeoPanel1")->Image().pixel(p.X, p.Y);
    }

private slots:
    void cleanup() { window_.reset(); }

    void routeFromTheContextMenuIsDrawnCopiedAndCleared() {
        TMainForm& f = openTown();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        const QRgb before = pixelAt(60, 75);
        chooseFromContextMenu(20, 75, "ここから");
        QVERIFY(panel.Marks.RouteStart.has_value());
        QVERIFY(panel.Marks.Route.empty());
        chooseFromContextMenu(180, 75, "ここまで");
        QTRY_VERIFY_WITH_TIMEOUT(!f.SearchingRoute(), 20000);

        // The length the core finds for the same two points.
        TRoadGraph graph(*panel.MapObject());
        const TGeoPoint from = MakePoint(panel.Marks.RouteStart->X, panel.Marks.RouteStart->Y, 0);
        const TGeoPoint to = MakePoint(panel.Marks.RouteEnd->X, panel.Marks.RouteEnd->Y, 0);
        const std::optional<TRoute> expected = graph.Route(from, to);
        QVERIFY(expected.has_value());
        QCOMPARE(f.StatusText(3), QString("ルート: %1 m").arg(expected->Length, 0, 'f', 2));
        QVERIFY(panel.Marks.Route.size() >= 2);
        QVERIFY(pixelAt(60, 75) != before);  // drawn over the road on the screen
        QVERIFY(panel.SvgPicture().contains("#6e1edc"));  // and in the copied picture

        Child<QAction>(f, "RouteClear1")->trigger();
        QVERIFY(panel.Marks.Empty());
        QCOMPARE(f.StatusText(3), QString());
        QCOMPARE(pixelAt(60, 75), before);
        QVERIFY(!panel.SvgPicture().contains("#6e1edc"));
    }

    void unconnectedRoadsHaveNoRouteAndANewLoadForgetsTheEnds() {
        TMainForm& f = openTown();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        // The east-west road and the north-south one do not meet (5 m apart).
        f.SetRouteEnd(true, {20, 75});
        f.SetRouteEnd(false, {100, 130});
        QTRY_VERIFY_WITH_TIMEOUT(!f.SearchingRoute(), 20000);
        QCOMPARE(f.StatusText(3), QString("ルートが見つかりません"));
        QVERIFY(panel.Marks.Route.empty());
        QVERIFY(panel.Marks.RouteEnd.has_value());

        window_->OpenAgain();
        QVERIFY(panel.Marks.Empty());
    }
};

QTEST_MAIN(RouteOnMapTest)
#include "route_on_map_test.moc"
