// orvelle-panel-shot: shows the map panel in a small window on the display,
// loads PATH (a mesh description file or a folder of meshes) and saves what
// the window shows: the full view, a rubber band in progress and a street
// view 300 m across. For looking at the panel under xvfb-run.
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <iostream>

#include "reading/map_loading.h"
#include "view_qt/geo_panel.h"
#include "view_qt/paint_box.h"

namespace {

void save(TGeoPanel& window, const QString& file) {
    window.Image();  // waits for the rendering of the last view
    QApplication::processEvents();
    QTest::qWait(200);
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    if (!shot.save(file)) std::cerr << "cannot write " << file.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: orvelle-panel-shot PATH OUTDIR\n";
        return 2;
    }
    const std::string path = argv[1];
    const QString out = QString::fromLocal8Bit(argv[2]);
    TGeoPanel panel;
    panel.setWindowTitle("orvelle panel");
    panel.resize(640, 480);
    panel.ViewMode = TViewMode::vmGaiku;
    panel.show();
    if (!QTest::qWaitForWindowExposed(&panel)) return 1;
    try {
        const std::vector<std::string> files = MeshFilesInFolder(path);
        for (const std::string& file : files.empty() ? std::vector<std::string>{path} : files)
            panel.LoadMeshFile(file);
        panel.Redraw();
    } catch (const std::exception& e) {
        std::cerr << "loading stopped: " << e.what() << "\n";
    }
    save(panel, out + "/panel-full.png");

    QWidget* surface = panel.PaintBox();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(220, 160));
    QTest::mouseMove(surface, QPoint(420, 300));
    save(panel, out + "/panel-band.png");
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(420, 300));

    const TViewState& v = panel.View();
    panel.ZoomToBox(v.CenterX - 150, v.CenterX + 150, v.CenterY - 112.5, v.CenterY + 112.5);
    panel.Redraw();
    save(panel, out + "/panel-street.png");
    return 0;
}
