// viewer_stall_probe PATH: opens PATH in the viewer's main window (offscreen)
// while a 10 ms timer probes the user-interface thread; prints the load time
// and the longest gap between two ticks, during the reading and over the
// whole open including the final drawing. A gap well above 10 ms is a stall
// that a user would feel.
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: viewer_stall_probe PATH\n");
        return 2;
    }
    const QString home = QDir::tempPath() + "/orvelle-stall-probe";
    QDir(home).removeRecursively();
    TMainForm form(home.toStdString() + "/", home.toStdString() + "/Maps/");
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;

    QElapsedTimer clock;
    qint64 last = 0, longestReading = 0, longestAll = 0;
    int ticks = 0, over50 = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const qint64 gap = now - last;
        last = now;
        ++ticks;
        longestAll = std::max(longestAll, gap);
        if (form.Loading()) longestReading = std::max(longestReading, gap);
        if (gap > 50) {
            ++over50;
            std::printf("  late tick at %lld ms: %lld ms after the previous one; status \"%s\"\n",
                        static_cast<long long>(now), static_cast<long long>(gap), qPrintable(form.StatusText(3)));
        }
    });
    clock.start();
    probe.start();
    form.OpenPaths({QString::fromLocal8Bit(argv[1])});
    while (form.Loading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 loaded = clock.elapsed();
    QTest::qWait(100);  // a few ticks after the final drawing
    probe.stop();
    std::printf("load %lld ms, %zu meshes, longest UI stall %lld ms while reading, %lld ms including the final draw, "
                "%d of %d ticks late by more than 50 ms\n",
                static_cast<long long>(loaded),
                form.GeoPanel1->DataLoaded() ? form.GeoPanel1->MapObject()->Descriptions().size() : size_t(0),
                static_cast<long long>(longestReading), static_cast<long long>(longestAll), over50, ticks);
    return 0;
}
