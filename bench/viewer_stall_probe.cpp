// viewer_stall_probe PATH: opens PATH in the viewer's main window (offscreen)
// while a 10 ms timer probes the user-interface thread; prints the load time
// and the longest gap between two ticks, during the reading and over the
// whole open including the final drawing, then zooms and pans the whole
// extent and prints the longest gap and the longest navigation step then. A gap well above 10 ms is a stall
// that a user would feel. On a busy machine gaps also come from other
// processes, so the program also times the window's own work: each step of
// the open that the loading thread hands to it (a merge, the final count and
// drawing), and while navigating, the longest event the window handled, in
// wall and in its own processor time: a gap without a long event is the
// window waiting for a processor, not working.
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "support/child.h"

using testsupport::Child;

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times the calls the loading thread queues on the window.
class TimingApplication : public TOrvelleApplication {
public:
    using TOrvelleApplication::TOrvelleApplication;
    TMainForm* window = nullptr;
    qint64 longestReadingStep = 0, finalStep = 0;
    // The longest event handled while navigating (outermost events only).
    bool navigating = false;
    int depth = 0;
    double longestEvent = 0;
    double longestEventCpu = 0;
    QByteArray longestEventReceiver;
    bool notify(QObject* receiver, QEvent* event) override {
        if (navigating && depth == 0) {
            QElapsedTimer t;
            t.start();
            const double cpu = threadCpuMs();
            const QByteArray name = receiver->metaObject()->className();
            ++depth;
            const bool done = TOrvelleApplication::notify(receiver, event);
            --depth;
            const double wall = static_cast<double>(t.nsecsElapsed()) / 1e6;
            if (wall > longestEvent) {
                longestEvent = wall;
                longestEventCpu = threadCpuMs() - cpu;
                longestEventReceiver = name;
            }
            return done;
        }
        if (receiver != window || event->type() != QEvent::MetaCall || !window->Loading())
            return TOrvelleApplication::notify(receiver, event);
        QElapsedTimer t;
        t.start();
        const bool done = TOrvelleApplication::notify(receiver, event);
        if (window->Loading())
            longestReadingStep = std::max(longestReadingStep, t.elapsed());
        else
            finalStep = t.elapsed();  // the open ended in this step
        return done;
    }
};

// Runs the event loop for `ms` milliseconds. (QTest::qWait would sleep in
// 10 ms steps between event batches, and the probe would see its own sleeps.)
void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Centres the panel a quarter of the view to the east (dx) and north (dy).
void pan(TGeoPanel& panel, int dx, int dy) {
    const TViewState& v = panel.View();
    panel.CentreOn(v.CenterX + dx * (v.MaxX - v.MinX) / 4, v.CenterY + dy * (v.MaxY - v.MinY) / 4);
}

}  // namespace

int main(int argc, char** argv) {
    TimingApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: viewer_stall_probe PATH\n");
        return 2;
    }
    const QString home = QDir::tempPath() + "/orvelle-stall-probe";
    QDir(home).removeRecursively();
    TMainForm form(home.toStdString() + "/", home.toStdString() + "/Maps/");
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    app.window = &form;

    QElapsedTimer clock;
    qint64 last = 0, longestReading = 0, longestAll = 0, longestNavigating = 0;
    bool navigating = false;
    int ticks = 0, over50 = 0;
    QTimer probe;
    probe.setInterval(10);
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const qint64 gap = now - last;
        last = now;
        ++ticks;
        if (navigating)
            longestNavigating = std::max(longestNavigating, gap);
        else
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
    runEventsFor(100);  // a few ticks after the final drawing
    navigating = true;
    app.navigating = true;

    // From the whole extent: zooms in and out and pans a quarter view each
    // way, each step followed by a pause in which its image may arrive.
    TGeoPanel& panel = *Child<TGeoPanel>(form, "GeoPanel1");
    const std::function<void()> steps[] = {
        [&] { panel.ZoomIn(); },  [&] { panel.ZoomIn(); },   [&] { panel.ZoomOut(); }, [&] { panel.ZoomOut(); },
        [&] { panel.ZoomReset(); }, [&] { pan(panel, 1, 0); }, [&] { pan(panel, 0, 1); }, [&] { pan(panel, -1, 0); },
        [&] { pan(panel, 0, -1); }, [&] { panel.ZoomReset(); }};
    qint64 longestStep = 0;
    for (int round = 0; round < 3; ++round) {
        for (const std::function<void()>& step : steps) {
            QElapsedTimer t;
            t.start();
            if (panel.DataLoaded()) step();
            longestStep = std::max(longestStep, t.elapsed());
            runEventsFor(round == 0 ? 300 : 30);  // the last rounds replace images still being drawn
        }
    }
    runEventsFor(100);
    probe.stop();
    std::printf("load %lld ms, %zu meshes, longest UI stall %lld ms while reading, %lld ms including the final draw, "
                "%d of %d ticks late by more than 50 ms; the window's longest step %lld ms while reading, "
                "%lld ms for the final count and drawing\n",
                static_cast<long long>(loaded),
                panel.DataLoaded() ? panel.MapObject()->Descriptions().size() : size_t(0),
                static_cast<long long>(longestReading), static_cast<long long>(longestAll), over50, ticks,
                static_cast<long long>(app.longestReadingStep), static_cast<long long>(app.finalStep));
    std::printf("zooming and panning: longest UI stall %lld ms, longest navigation step %lld ms\n",
                static_cast<long long>(longestNavigating), static_cast<long long>(longestStep));
    std::printf("longest event while navigating: %.1f ms (%.1f ms of the window's processor time, to a %s)\n",
                app.longestEvent, app.longestEventCpu, app.longestEventReceiver.constData());
    return 0;
}
