// The viewer's background work against what the user clicks meanwhile, on a
// synthetic town large enough that its export lasts seconds: 閉じる, 開く and
// 終了 pressed while the export runs, then 中止 and 閉じる, at several moments
// into the export, through the window system's input (so the progress
// dialog's modality applies); 中止 then 開く; quitting while the export runs;
// closing and opening while the place index is built and a route is searched.
// Afterwards the window is in a consistent state and nothing half-written is
// left beside the export's file.
#include <QAbstractItemView>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QWindow>
#include <filesystem>

#include "modal_answers.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "support/child.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "synth.h"

using testsupport::Child;

namespace fs = std::filesystem;

namespace {

// A click at the widget's centre delivered as the window system delivers it,
// so that a window blocked by a modal dialog does not receive it.
void clickThroughWindow(QWidget* widget) {
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, widget->mapTo(top, widget->rect().center()));
}

// The progress dialog of a running export, when shown.
QProgressDialog* shownProgress(const TMainForm& form) {
    for (auto* d : form.findChildren<QProgressDialog*>())
        if (d->isVisible()) return d;
    return nullptr;
}

}  // namespace

class BackgroundWorkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::TempDir> dir_;
    fs::path town_, other_;
    std::unique_ptr<TMainForm> form_;
    int exportCount_ = 0;

    QWidget* button(QAction* action) const { return Child<QToolBar>(*form_, "tlbControl")->widgetForAction(action); }

    void startForm() {
        form_ = std::make_unique<TMainForm>((dir_->path() / "config").string() + "/",
                                            (dir_->path() / "Maps").string() + "/");
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("main window not exposed");
    }
    void openTown() {
        form_->OpenPaths({QString::fromStdString(town_.string())});
        if (!QTest::qWaitFor([this] { return !form_->Loading(); }, 60000)) qFatal("town not loaded");
        if (!Child<TGeoPanel>(*form_, "GeoPanel1")->DataLoaded()) qFatal("town not loaded");
    }
    // Answers the open dialog with the other town's description file.
    QPointer<QTimer> answerOpenWithOther() {
        const QString name = QString::fromStdString(other_.string());
        return whenModal<QFileDialog>([name](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            if (!edit) return false;
            for (auto* view : d->findChildren<QAbstractItemView*>()) view->clearSelection();
            edit->setText(name);
            static_cast<QDialog*>(d)->accept();
            return !d->isVisible();
        });
    }
    // A new, empty folder for one export.
    fs::path exportFolder() {
        const fs::path folder = dir_->path() / ("export" + std::to_string(++exportCount_));
        fs::create_directories(folder);
        return folder;
    }
    void waitForExportWorker() { QTRY_VERIFY_WITH_TIMEOUT(!form_->Exporting(), 60000); }

private slots:
    void initTestCase() {
        dir_ = std::make_unique<testsupport::TempDir>();
        synth::PlanParams plan;
        plan.cols = 2;
        plan.rows = 2;
        plan.blocksPerSide = 100;  // some 550,000 features: seconds of export
        synth::generate(plan, dir_->path() / "synth");
        town_ = dir_->path() / "synth";
        other_ = testsupport::writeTown(dir_->path() / "other");
        startForm();
    }
    void cleanupTestCase() {
        form_.reset();
        dir_.reset();
    }

    void clicksDuringAnExport_data() {
        QTest::addColumn<int>("delayMs");
        for (int delay : {0, 50, 300, 3000}) QTest::addRow("%d ms into the export", delay) << delay;
    }
    // 閉じる, 開く (another file) and 終了 at the moment, then 中止 and 閉じる.
    void clicksDuringAnExport() {
        QFETCH(int, delayMs);
        TMainForm& f = *form_;
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        if (!panel.DataLoaded()) openTown();
        const size_t meshes = panel.MapObject()->Descriptions().size();
        const fs::path folder = exportFolder();
        f.ExportTo(QString::fromStdString((folder / "town.gpkg").string()), "GPKG");
        // The dialog is up at once and holds the window's commands.
        QProgressDialog* progress = shownProgress(f);
        QVERIFY(progress);
        QCOMPARE(QApplication::activeModalWidget(), progress);
        for (const char* name : {"FileOpen1", "FileClose1", "FileExport1"})
            QVERIFY2(!Child<QAction>(f, name)->isEnabled(), name);

        QTest::qWait(delayMs);
        QVERIFY2(shownProgress(f), "the export ended before the clicks; the synthetic town is too small");
        const QPointer<QTimer> answer = answerOpenWithOther();
        for (const char* name : {"FileClose1", "FileOpen1", "FileExit1"}) {
            QAction* clicked = Child<QAction>(f, name);
            clickThroughWindow(button(clicked));
            // The modal dialog kept the click from the window: nothing changed.
            QVERIFY2(f.isVisible() && !f.Loading(), qPrintable(clicked->objectName()));
            QCOMPARE(panel.MapObject()->Descriptions().size(), meshes);
            QCOMPARE(shownProgress(f), progress);
        }
        delete answer.data();  // no open dialog came up to take it

        clickThroughWindow(progress->findChild<QPushButton*>());
        // At once: the dialog is gone, the status says so, the window is free.
        QVERIFY(!shownProgress(f));
        QCOMPARE(f.StatusText(3), QString("エクスポートを中止しました"));
        QVERIFY(Child<QAction>(f, "FileClose1")->isEnabled() && Child<QAction>(f, "FileOpen1")->isEnabled());
        clickThroughWindow(button(Child<QAction>(f, "FileClose1")));
        QVERIFY(!panel.DataLoaded());
        QCOMPARE(f.StatusText(3), QString());

        waitForExportWorker();
        // The stopped export left nothing: no file, no staging.
        QVERIFY(fs::is_empty(folder));
        QVERIFY(!Child<QAction>(f, "FileExport1")->isEnabled() && !Child<QAction>(f, "FileClose1")->isEnabled());
        QVERIFY(Child<QAction>(f, "FileOpen1")->isEnabled());
    }

    void stopThenOpenMergesOnceTheWorkerHasEnded() {
        TMainForm& f = *form_;
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        if (!panel.DataLoaded()) openTown();
        const size_t meshes = panel.MapObject()->Descriptions().size();
        const fs::path folder = exportFolder();
        f.ExportTo(QString::fromStdString((folder / "town.gpkg").string()), "GPKG");
        QTest::qWait(300);
        clickThroughWindow(shownProgress(f)->findChild<QPushButton*>());
        answerOpenWithOther();
        clickThroughWindow(button(Child<QAction>(f, "FileOpen1")));
        // The other file's mesh waits while the stopped export still reads the map.
        for (QDeadlineTimer deadline(60000); f.Exporting() && !deadline.hasExpired(); QTest::qWait(5))
            QCOMPARE(panel.MapObject()->Descriptions().size(), meshes);
        waitForExportWorker();
        QTRY_VERIFY_WITH_TIMEOUT(!f.Loading(), 60000);
        // The other town was read and offered to the map (merged, or refused
        // with a line in the error list), after the export's worker had ended.
        QVERIFY(panel.MapObject()->Descriptions().size() > meshes || !panel.ErrorList.empty());
        QVERIFY(fs::is_empty(folder));
        Child<QAction>(f, "FileClose1")->trigger();
    }

    void closingAndOpeningWhileTheMapIsIndexedAndSearched() {
        TMainForm& f = *form_;
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        // Closed while the place index of the fresh load is built.
        openTown();
        clickThroughWindow(button(Child<QAction>(f, "FileClose1")));
        QVERIFY(!panel.DataLoaded());
        QVERIFY(!Child<QAction>(f, "GoToPlace1")->isEnabled());

        // Another file opened while a route is searched on the map.
        openTown();
        const TGeoPoint min = panel.DataExtentMin(), max = panel.DataExtentMax();
        f.SetRouteEnd(true, {min.X + (max.X - min.X) / 4, min.Y + (max.Y - min.Y) / 4});
        f.SetRouteEnd(false, {max.X - (max.X - min.X) / 4, max.Y - (max.Y - min.Y) / 4});
        QVERIFY(f.SearchingRoute());
        answerOpenWithOther();
        clickThroughWindow(button(Child<QAction>(f, "FileOpen1")));
        QTRY_VERIFY_WITH_TIMEOUT(!f.Loading(), 60000);
        QVERIFY(!f.SearchingRoute());
        QVERIFY(panel.Marks.Route.empty());  // the dropped search draws nothing
        QVERIFY(panel.DataLoaded());
        QTRY_VERIFY_WITH_TIMEOUT(f.PlaceIndexReady(), 60000);
        Child<QAction>(f, "FileClose1")->trigger();
    }

    void quittingWhileExportingRemovesWhatWasWritten() {
        if (!Child<TGeoPanel>(*form_, "GeoPanel1")->DataLoaded()) openTown();
        const fs::path folder = exportFolder();
        form_->ExportTo(QString::fromStdString((folder / "town.gpkg").string()), "GPKG");
        QTest::qWait(300);
        QVERIFY(form_->Exporting());
        // As the session ends: the window is closed, then destroyed as main() does.
        QVERIFY(form_->close());
        QVERIFY(!form_->Exporting());
        QVERIFY(fs::is_empty(folder));
        form_.reset();
        QVERIFY(fs::is_empty(folder));
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    BackgroundWorkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "background_work_test.moc"
