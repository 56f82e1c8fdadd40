// orvelle-viewer-shot PATH OUTDIR: the viewer on a real display (run under
// xvfb-run), saving PNG pictures of the main window at full view, with a route, at a place
// found (and the dialog that found it) and in a
// street view with the status bar filled, the attribute window after a
// pick, the attribute search dialog with the map on its second hit, the
// settings dialog's three tabs, the About box, the print dialog and its
// preview, and the SVG picture that the copy command puts on the clipboard
// in the street view.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "shell_ui/about_box.h"
#include "shell_ui/attrib_mini_form.h"
#include "shell_ui/go_to_place_form.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/search_attrib_form.h"
#include "shell_ui/print_form.h"
#include "shell_ui/setup_form.h"
#include "support/child.h"
#include "version/version.h"
#include "view_qt/paint_box.h"

using testsupport::Child;

namespace {

QString outDir;
TGeoPanel* mapPanel = nullptr;  // the main window's; its map is drawn in the background

void save(QWidget* w, const char* name) {
    if (mapPanel) mapPanel->Image();  // waits for the rendering of the last view
    const QString path = outDir + "/" + name;
    if (!w->grab().save(path)) std::fprintf(stderr, "orvelle-viewer-shot: cannot write %s\n", qPrintable(path));
}

// Runs `act` on the modal dialog D once the event loop shows it.
template <class D>
void onModal(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* d = dynamic_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            QTest::qWait(100);  // let it paint
            act(d);
        }
    });
    timer->start();
}

// A pick in select mode where something lies, searching outward from the centre.
bool pickSomething(TMainForm& form) {
    Child<QAction>(form, "OperationSelectPoint1")->trigger();
    TGeoPanel& panel = *Child<TGeoPanel>(form, "GeoPanel1");
    QWidget* surface = panel.PaintBox();
    const QPoint c = surface->rect().center();
    for (int r = 0; r < 200; r += 8)
        for (int dx : {0, r, -r})
            for (int dy : {0, r, -r}) {
                QTest::mouseClick(surface, Qt::LeftButton, {}, c + QPoint(dx, dy));
                if (!panel.PointedAttribs().empty()) return true;
            }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    app.setApplicationVersion(OrvelleVersionText());  // shown in the About box, as the viewer does
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvelle-viewer-shot PATH OUTDIR\n");
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outDir);
    const QString home = QDir::tempPath() + "/orvelle-viewer-shot";
    QDir(home).removeRecursively();
    TMainForm form(home.toStdString() + "/", home.toStdString() + "/Maps/");
    mapPanel = Child<TGeoPanel>(form, "GeoPanel1");
    form.resize(900, 640);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.OpenPaths({QString::fromLocal8Bit(argv[1])});
    while (form.Loading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    TGeoPanel& panel = *Child<TGeoPanel>(form, "GeoPanel1");
    if (!panel.DataLoaded()) {
        std::fprintf(stderr, "orvelle-viewer-shot: nothing was loaded from %s\n", argv[1]);
        return 1;
    }
    QWidget* surface = panel.PaintBox();
    QTest::mouseMove(surface, surface->rect().center() + QPoint(40, 30));
    QTest::qWait(200);
    save(&form, "main-full.png");

    // A route across the data, set as the context menu's two commands do.
    const TGeoPoint2D sw = {panel.DataExtentMin().X, panel.DataExtentMin().Y};
    const TGeoPoint2D ne = {panel.DataExtentMax().X, panel.DataExtentMax().Y};
    form.SetRouteEnd(true, {sw.X + (ne.X - sw.X) * 0.12, sw.Y + (ne.Y - sw.Y) * 0.2});
    form.SetRouteEnd(false, {sw.X + (ne.X - sw.X) * 0.85, sw.Y + (ne.Y - sw.Y) * 0.8});
    while (form.SearchingRoute()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QTest::qWait(200);
    save(&form, "main-route.png");
    form.ClearRoute();

    // A block found through 表示 → 場所へ移動, once the place index is built.
    while (!form.PlaceIndexReady()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    onModal<TGoToPlaceForm>([](TGoToPlaceForm* d) {
        Child<QLineEdit>(*d, "eQuery")->setText("栄里五丁目 3");
        QTest::qWait(100);
        save(d, "go-to-place.png");
        QTest::keyClick(Child<QLineEdit>(*d, "eQuery"), Qt::Key_Return);
    });
    Child<QAction>(form, "GoToPlace1")->trigger();
    QTest::qWait(200);
    save(&form, "main-place.png");
    Child<QAction>(form, "OperationZoomReset1")->trigger();

    for (int i = 0; i < 10; ++i) Child<QAction>(form, "OperationZoomIn1")->trigger();
    QTest::mouseMove(surface, surface->rect().center() + QPoint(-30, 20));
    QTest::qWait(200);
    save(&form, "main-street.png");
    // The street view as the copy command puts it on the clipboard.
    Child<QAction>(form, "EditCopy1")->trigger();
    QFile svg(outDir + "/copy.svg");
    if (!svg.open(QIODevice::WriteOnly) || svg.write(QGuiApplication::clipboard()->mimeData()->data("image/svg+xml")) <= 0)
        std::fprintf(stderr, "orvelle-viewer-shot: cannot write %s\n", qPrintable(svg.fileName()));

    if (pickSomething(form)) {
        auto* attributes = Child<TAttribMiniForm>(form, "AttribMiniForm");
        attributes->move(form.geometry().topRight() + QPoint(10, 0));
        QTest::qWait(200);
        save(attributes, "attributes.png");
        save(&form, "main-pick.png");
    } else {
        std::fprintf(stderr, "orvelle-viewer-shot: no feature found to pick\n");
    }

    // The search dialog: areas of 諸地・場地 whose texts end in 公園, pressed twice.
    Child<QAction>(form, "EditSearchAttrib1")->trigger();
    TSearchAttribForm* search = Child<TSearchAttribForm>(form, "SearchAttribForm");
    if (QTest::qWaitForWindowExposed(search)) {
        Child<QComboBox>(*search, "cbTarget")->setCurrentIndex(7);
        Child<QCheckBox>(*search, "cbRegExp")->click();
        Child<QComboBox>(*search, "SearchText")->setEditText("公園$");
        Child<QPushButton>(*search, "btnSearch")->click();
        Child<QPushButton>(*search, "btnSearch")->click();
        QTest::qWait(200);
        save(search, "search.png");
        save(&form, "main-search.png");
        Child<QPushButton>(*search, "btnCancel")->click();
    }

    onModal<TSetupForm>([](TSetupForm* s) {
        for (int tab = 0; tab < 3; ++tab) {
            Child<QTabWidget>(*s, "PageControl1")->setCurrentIndex(tab);
            QTest::qWait(100);
            save(s, qPrintable(QString("settings-%1.png").arg(tab + 1)));
        }
        Child<QTabWidget>(*s, "PageControl1")->setCurrentIndex(0);
        s->reject();
    });
    Child<QAction>(form, "FileSetup1")->trigger();

    onModal<TAboutBox>([](TAboutBox* a) {
        save(a, "about.png");
        a->reject();
    });
    Child<QAction>(form, "HelpAbout1")->trigger();

    Child<QAction>(form, "OperationZoomReset1")->trigger();
    onModal<TPrintForm>([](TPrintForm* p) {
        save(p, "print.png");
        onModal<QPrintPreviewDialog>([](QPrintPreviewDialog* preview) {
            preview->resize(700, 900);
            QTest::qWait(300);
            save(preview, "print-preview.png");
            preview->reject();
        });
        Child<QPushButton>(*p, "btnPreview")->click();
        p->reject();
    });
    Child<QAction>(form, "FilePrint1")->trigger();

    std::printf("%s\n", qPrintable(outDir));
    return 0;
}
