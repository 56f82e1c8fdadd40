// The viewer's main window driven through its real actions, tool buttons,
// dialogs and map surface on the offscreen platform: start-up and shutdown
// with the INI file, enabling, zoom repeat, block display, opening files,
// archives and folders on the loading thread, the stop at a failing mesh,
// cancelling, dropping, the status bar, the attribute window and the
// settings dialog.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <fstream>
#include <functional>

#include "base/sjis.h"
#include "reading/map_loading.h"
#include "shell/error_text.h"
#include "shell_ui/attrib_mini_form.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/setup_form.h"
#include "shell_ui/ui_text.h"
#include "support/child.h"
#include "support/lzh_writer.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "modal_answers.h"
#include "view_qt/paint_box.h"

using testsupport::Child;

namespace fs = std::filesystem;
using testsupport::MeshFixture;

namespace {

// A click on a check box's indicator (its middle may lie beyond the caption).
void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

// A mesh of the given extent with one block boundary line; `broken` lists a
// layer file that does not exist, which ends the mesh's reading.
fs::path sheet(const fs::path& root, const std::string& name, double x0, bool broken = false) {
    MeshFixture m(root, name);
    m.description().southWest = {x0, 0};
    m.description().northEast = {x0 + 100, 50};
    m.layer("GYOUSEI\\GYOUSEI.ARC", {meshfiles::arcRecord(1108, 0, 1, 2), "0,0", "1,1"}, {x0, 0});
    if (broken) m.listOnly(name + "\\GYOUSEI\\MISSING.ARC");
    return m.write();
}

// Esc on the first event the loading thread queues on the window after `trigger` holds.
struct EscOnLoadEvent : QObject {
    TMainForm* form = nullptr;
    std::function<bool()> trigger;
    bool pressed = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (!pressed && e->type() == QEvent::MetaCall && form->Loading() && trigger()) {
            pressed = true;
            QTest::keyClick(form, Qt::Key_Escape);
        }
        return false;
    }
};

std::string fileText(const fs::path& p) {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::TempDir> dir_;
    std::unique_ptr<TMainForm> form_;
    fs::path town_;

    fs::path config() const { return dir_->path() / "config"; }
    fs::path cache() const { return dir_->path() / "Maps"; }

    TMainForm& makeForm() {
        form_ = std::make_unique<TMainForm>(config().string() + "/", cache().string() + "/");
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("main window not exposed");
        Child<TGeoPanel>(*form_, "GeoPanel1")->FlushPendingRender();
        return *form_;
    }
    // Destroys the window: its shutdown writes the INI file.
    void closeForm() { form_.reset(); }

    void waitLoaded() { QTRY_VERIFY_WITH_TIMEOUT(!form_->Loading(), 20000); }

    // Opens a folder of six sheets side by side (100 m each, from x 0) and
    // presses Esc on the first load event after `trigger` holds; true when it did.
    bool openSixSheetsPressingEscWhen(TMainForm& f, std::function<bool()> trigger) {
        const fs::path folder = dir_->path() / "many";
        for (int i = 0; i < 6; ++i) sheet(folder, "N000000" + std::to_string(i), 100.0 * i);
        f.activateWindow();
        if (!QTest::qWaitForWindowActive(&f)) return false;
        EscOnLoadEvent esc;
        esc.form = &f;
        esc.trigger = std::move(trigger);
        f.installEventFilter(&esc);
        f.OpenPaths({QString::fromStdString(folder.string())});
        waitLoaded();
        f.removeEventFilter(&esc);
        return esc.pressed;
    }

    void openThroughDialog(const fs::path& file) {
        // Typed into the dialog's name box, as a user may type a full path.
        const QString name = QString::fromStdString(file.string());
        whenModal<QFileDialog>([name](QFileDialog* d) {
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            if (!edit) return false;
            for (auto* view : d->findChildren<QAbstractItemView*>()) view->clearSelection();  // the preset file
            edit->setText(name);
            static_cast<QDialog*>(d)->accept();  // checks the name as OK does
            return !d->isVisible();
        });
        Child<QAction>(*form_, "FileOpen1")->trigger();
        waitLoaded();
    }

    QPoint screenOf(double x, double y) {
        TScreenPoint p = Child<TGeoPanel>(*form_, "GeoPanel1")->WorldToScreen(MakePoint(x, y, 0));
        return {p.X, p.Y};
    }
    QWidget* surface() { return Child<TGeoPanel>(*form_, "GeoPanel1")->PaintBox(); }

private slots:
    void init() {
        dir_ = std::make_unique<testsupport::TempDir>();
        town_ = testsupport::writeTown(dir_->path() / "town");
    }
    void cleanup() {
        form_.reset();
        dir_.reset();
    }

    void firstStartIsCentredAndShutdownWritesEveryKey() {
        TMainForm& f = makeForm();
        QCOMPARE(f.size(), QSize(640, 480));
        const QRect screen = f.screen()->availableGeometry();
        QVERIFY(std::abs(f.x() + 320 - screen.center().x()) <= 1);
        QVERIFY(std::abs(f.y() + 240 - screen.center().y()) <= 1);
        // Nothing is pressed at start, and the panel starts in zoom-rectangle mode.
        for (const char* name : {"tbtnOperationSelectPoint", "tbtnOperationMoveDrag", "tbtnOperationZoomRect"})
            QVERIFY2(!Child<QToolButton>(f, name)->isChecked(), name);
        QCOMPARE(Child<TGeoPanel>(f, "GeoPanel1")->OperationMode(), TOperationMode::omZoomRect);
        fs::create_directories(cache() / "x");
        std::ofstream(cache() / "x" / "f") << "cached";
        closeForm();

        const std::string ini = fileText(config() / "orvelle.ini");
        for (const char* line : {"[MainForm]", "Left=", "Top=", "Width=640", "Height=480", "[Cache]", "ClearAtEnd=1",
                                 "[Data]", "LastFileName=", "LastOpenFolder="})
            QVERIFY2(ini.find(line) != std::string::npos, line);
        QVERIFY(fs::exists(cache()));  // the folder stays, emptied
        QVERIFY(fs::is_empty(cache()));
    }

    void leftMinusOneCentresAndCorruptValuesGiveDefaults() {
        fs::create_directories(config());
        std::ofstream(config() / "orvelle.ini")
            << "[MainForm]\nLeft=-1\nTop=7\nWidth=abc\nHeight=300\n[Cache]\nClearAtEnd=0\n[Data]\nLastFileName=/x/y.txt\n";
        TMainForm& f = makeForm();
        QCOMPARE(f.size(), QSize(640, 300));
        QVERIFY(f.y() != 7);
        QVERIFY(std::abs(f.y() + 150 - f.screen()->availableGeometry().center().y()) <= 1);
        QVERIFY(!f.Settings().ClearAtEnd);
        QCOMPARE(f.Settings().LastFileName, QString("/x/y.txt"));
        fs::create_directories(cache() / "kept");
        closeForm();
        QVERIFY(fs::exists(cache() / "kept"));  // not cleared at exit
        QVERIFY(fileText(config() / "orvelle.ini").find("ClearAtEnd=0") != std::string::npos);
    }

    void readableItemIsKeptInTheIniFileAndReachesEveryDrawing() {
        TMainForm& f = makeForm();
        QAction* item = Child<QAction>(f, "ViewReadable");
        QCOMPARE(item->text(), QString("読みやすい表示(&R)"));
        QVERIFY(item->isCheckable() && !item->isChecked());
        // The screen, the copy and the print all draw the panel's snapshot.
        QVERIFY(!Child<TGeoPanel>(f, "GeoPanel1")->Snapshot().Display.Readable);
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(Child<TGeoPanel>(f, "GeoPanel1")->Snapshot().Display.Readable);
        closeForm();
        QVERIFY(fileText(config() / "orvelle.ini").find("[View]\nReadable=1") != std::string::npos);
        TMainForm& g = makeForm();
        QVERIFY(Child<QAction>(g, "ViewReadable")->isChecked());
        QVERIFY(Child<TGeoPanel>(g, "GeoPanel1")->Snapshot().Display.Readable);
    }

    void actionsNeedDataAndTheirTextsAreTheProgramsOwn() {
        fs::create_directories(config());
        std::ofstream(config() / "engine.lst") << "no engine here\n";
        TMainForm& f = makeForm();
        for (const char* name : {"FileOpen1", "FileFolder1", "HelpAbout1"})
            QVERIFY2(Child<QAction>(f, name)->isEnabled(), name);
        for (const char* name : {"FileClose1", "DrawRefresh1", "DrawGaiku1", "OperationSelectPoint1",
                                 "OperationZoomIn1", "OperationZoomReset1", "EditCopy1", "WebSearch1"})
            QVERIFY2(!Child<QAction>(f, name)->isEnabled(), name);
        QCOMPARE(Child<QAction>(f, "FileOpen1")->toolTip(), QString("開く"));
        QCOMPARE(Child<QAction>(f, "FileOpen1")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(Child<QAction>(f, "FileOpen1")->property("category").toString(), QString("ファイル"));
        QCOMPARE(Child<QToolButton>(f, "tbtnZoomIn")->toolTip(), QString("拡大"));
        openThroughDialog(town_);
        for (const char* name : {"FileClose1", "DrawRefresh1", "DrawGaiku1", "OperationSelectPoint1",
                                 "OperationZoomIn1", "OperationZoomReset1", "EditCopy1"})
            QVERIFY2(Child<QAction>(f, name)->isEnabled(), name);
        QVERIFY(!Child<QAction>(f, "WebSearch1")->isEnabled());  // no search engine listed
        // Qt's own dialogs and buttons speak Japanese too.
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:") == "Look in:", false);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("キャンセル"));
    }

    void heldZoomButtonZoomsOncePerTickAndOnceOnRelease() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        openThroughDialog(town_);
        QCOMPARE(Child<QTimer>(f, "ZoomTimer")->interval(), 100);
        int ticks = 0;
        connect(Child<QTimer>(f, "ZoomTimer"), &QTimer::timeout, this, [&ticks] { ++ticks; });
        const double before = panel.View().ScaleX;
        QTest::mousePress(Child<QToolButton>(f, "tbtnZoomIn"), Qt::LeftButton);
        QTest::qWait(350);
        QTRY_VERIFY(ticks >= 3);
        QTest::mouseRelease(Child<QToolButton>(f, "tbtnZoomIn"), Qt::LeftButton);
        QVERIFY(!Child<QTimer>(f, "ZoomTimer")->isActive());
        QCOMPARE(panel.View().ScaleX / before, std::pow(1.25, ticks + 1));
        // Held on the zoom-out button, the same in the other direction.
        ticks = 0;
        const double in = panel.View().ScaleX;
        QTest::mousePress(Child<QToolButton>(f, "tbtnZoomOut"), Qt::LeftButton);
        QTRY_VERIFY(ticks >= 1);
        QTest::mouseRelease(Child<QToolButton>(f, "tbtnZoomOut"), Qt::LeftButton);
        QCOMPARE(in / panel.View().ScaleX, std::pow(1.25, ticks + 1));
    }

    void blockDisplayTogglesAndRedrawsEachTime() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        openThroughDialog(town_);
        QCOMPARE(panel.ViewMode, TViewMode::vmGaiku);
        QVERIFY(Child<QToolButton>(f, "tbtnDrawGaiku")->isChecked());
        const int renders = panel.RenderCount();
        QTest::mouseClick(Child<QToolButton>(f, "tbtnDrawGaiku"), Qt::LeftButton);
        QCOMPARE(panel.ViewMode, TViewMode::vmNoGaiku);
        QVERIFY(!Child<QToolButton>(f, "tbtnDrawGaiku")->isChecked());
        QTest::mouseClick(Child<QToolButton>(f, "tbtnDrawGaiku"), Qt::LeftButton);
        QCOMPARE(panel.ViewMode, TViewMode::vmGaiku);
        QVERIFY(Child<QToolButton>(f, "tbtnDrawGaiku")->isChecked());
        QCOMPARE(panel.RenderCount(), renders + 2);
    }

    void openingTwiceCountsOnlyTheLastOpensErrors() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        fs::path other = sheet(dir_->path() / "other", "B0000002", 0);
        MeshFixture zone10(dir_->path() / "zone", "C0000003");
        zone10.description().zone = 10;
        zone10.description().northEast = {10, 10};
        openThroughDialog(town_);
        QCOMPARE(f.StatusText(3), QString());
        QCOMPARE(f.Settings().LastFileName, QString::fromStdString(town_.string()));
        QCOMPARE(f.windowTitle(), QString("Orvelle - 09LD1001.TXT"));
        openThroughDialog(zone10.write());
        QCOMPARE(f.Settings().LastFileName, QString::fromStdString(zone10.descriptionPath().string()));
        QCOMPARE(f.StatusText(3), QString("エラー: 1箇所"));
        QCOMPARE(panel.ErrorList.size(), size_t(1));
        openThroughDialog(other);  // a fitting mesh: no error, the count is emptied
        QCOMPARE(f.StatusText(3), QString());
        QCOMPARE(panel.MapObject()->Descriptions().size(), size_t(2));
    }

    void archiveWithUpperCaseExtensionIsExtractedAndRead() {
        TMainForm& f = makeForm();
        testsupport::MakeArchiveWithJlha(town_.parent_path().parent_path(), dir_->path() / "13101.LZH", "y", {"09LD1001"});
        openThroughDialog(dir_->path() / "13101.LZH");
        QVERIFY(Child<TGeoPanel>(f, "GeoPanel1")->DataLoaded());
        QVERIFY(fs::exists(cache() / "13101" / "09LD1001" / "09LD1001.TXT"));
        QCOMPARE(f.Settings().LastFileName, QString::fromStdString((dir_->path() / "13101.LZH").string()));
        QCOMPARE(f.StatusText(3), QString());
    }

    void failingMeshEndsTheFolderOpenAndReachesTheErrorBox() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        const fs::path folder = dir_->path() / "meshes";
        sheet(folder, "M0000001", 0);
        const fs::path bad = sheet(folder, "M0000002", 100, true);
        sheet(folder, "M0000003", 200);
        std::string expected;
        try {
            TKDKObject probe;
            TErrorList errors;
            ReadMeshOnItsOwn(probe, bad.string(), errors);
        } catch (const std::exception& e) {
            expected = e.what();
        }
        QVERIFY(!expected.empty());

        ErrorBoxSeen seen;
        answerErrorBox(seen);
        f.OpenPaths({QString::fromStdString(folder.string())});
        QTRY_COMPARE_WITH_TIMEOUT(seen.count, 1, 20000);
        QVERIFY(!f.Loading());
        QCOMPARE(seen.title, QString("Orvelle"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.text, FromSjis(ErrorBoxText(expected)));
        // The first mesh stays, the third was not read, nothing was counted or remembered.
        QCOMPARE(panel.MapObject()->Descriptions().size(), size_t(1));
        QCOMPARE(panel.DataExtentMax().X, 100.0);
        QCOMPARE(f.StatusText(3), QString());  // no longer "読込中"
        QVERIFY(f.Settings().LastOpenFolder.isEmpty());
        QVERIFY(Child<QAction>(f, "FileOpen1")->isEnabled());  // the program carries on
    }

    void strayTextFileLeavesNoMapAndTheNextOpenIsUntouched() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        const fs::path stray = dir_->path() / "bad.TXT";
        std::ofstream(stray, std::ios::binary) << "hello world\r\n";
        ErrorBoxSeen seen;
        answerErrorBox(seen);
        f.OpenPaths({QString::fromStdString(stray.string())});
        QTRY_COMPARE_WITH_TIMEOUT(seen.count, 1, 20000);
        QVERIFY(!panel.DataLoaded());
        QCOMPARE(f.StatusText(3), QString());
        for (const char* name : {"FileClose1", "FilePrint1", "FileExport1"})
            QVERIFY2(!Child<QAction>(f, name)->isEnabled(), name);
        QCOMPARE(f.windowTitle(), QString("Orvelle"));

        f.OpenPaths({QString::fromStdString(town_.string())});
        waitLoaded();
        QCOMPARE(seen.count, 1);
        QVERIFY(panel.DataLoaded());
        QVERIFY(panel.ErrorList.empty());
        QVERIFY(Child<QAction>(f, "FileClose1")->isEnabled() && Child<QAction>(f, "FileExport1")->isEnabled());
    }

    // Opened into a window with a map, each mesh is merged by the window:
    // a cancel right after the first one keeps exactly that one.
    void cancelBetweenMeshesKeepsWhatWasMerged() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        f.OpenPaths({QString::fromStdString(sheet(dir_->path() / "first", "N0000009", 900.0).string())});
        waitLoaded();
        QVERIFY(openSixSheetsPressingEscWhen(f, [&] { return panel.MapObject()->Descriptions().size() == 2; }));
        QCOMPARE(panel.MapObject()->Descriptions().size(), size_t(2));
        QCOMPARE(panel.ErrorList.back(), sjis::fromUtf8("読込を中止しました"));
        QCOMPARE(f.StatusText(3), QString("エラー: 1箇所"));
        QVERIFY(f.Settings().LastOpenFolder.isEmpty());
        QVERIFY(Child<QAction>(f, "FileFolder1")->isEnabled());
    }

    // Opened into an empty window, the loading thread merges: a cancel keeps
    // the meshes it merged before it saw the cancel, in a map the window shows.
    void cancelOfAnOpenIntoAnEmptyWindowKeepsTheMergedMap() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        // The second file's name shows once the first mesh was merged.
        QVERIFY(openSixSheetsPressingEscWhen(f, [&] { return f.StatusText(3).contains("N0000001"); }));
        QVERIFY(panel.DataLoaded());
        const size_t meshes = panel.MapObject()->Descriptions().size();
        QVERIFY(meshes >= 1 && meshes <= 6);
        QCOMPARE(panel.DataExtentMax().X, 100.0 * static_cast<double>(meshes));
        QCOMPARE(panel.ErrorList.back(), sjis::fromUtf8("読込を中止しました"));
        QVERIFY(f.Settings().LastOpenFolder.isEmpty());
    }

    void droppedFolderOpensLikeTheFolderCommand() {
        TMainForm& f = makeForm();
        const QString folder = QString::fromStdString(town_.parent_path().parent_path().string());
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(folder)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &drop);
        waitLoaded();
        QVERIFY(Child<TGeoPanel>(f, "GeoPanel1")->DataLoaded());
        QCOMPARE(f.Settings().LastOpenFolder, folder);
        QCOMPARE(f.Settings().RecentFiles.first(), folder);
    }

    void statusBarAfterRedrawAndPointerMoveAndCloseEmptiesIt() {
        TMainForm& f = makeForm();
        QTest::mouseMove(surface(), QPoint(100, 100));
        QCOMPARE(f.StatusText(0), QString());  // no data: no position
        openThroughDialog(town_);
        QCOMPARE(f.StatusText(2), QString("東京都千代田区丸の内一丁目付近"));
        QTest::mouseMove(surface(), screenOf(100, 75));
        const QRegularExpression dms("^%1 \\d+\\.\\d\\d\\.\\d\\d\\.\\d\\d$");
        QVERIFY2(QRegularExpression(dms.pattern().arg("N")).match(f.StatusText(0)).hasMatch(), qPrintable(f.StatusText(0)));
        QVERIFY2(QRegularExpression(dms.pattern().arg("E")).match(f.StatusText(1)).hasMatch(), qPrintable(f.StatusText(1)));
        Child<QAction>(f, "FileClose1")->trigger();
        QVERIFY(!Child<TGeoPanel>(f, "GeoPanel1")->DataLoaded());
        for (int i = 0; i < 4; ++i) QCOMPARE(f.StatusText(i), QString());
        QTest::mouseMove(surface(), QPoint(120, 90));
        QCOMPARE(f.StatusText(0), QString());
        QCOMPARE(f.windowTitle(), QString("Orvelle"));
    }

    void doubleClickCentresOnThePoint() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        openThroughDialog(town_);
        const QPoint target = screenOf(150, 110);
        QTest::mouseDClick(surface(), Qt::LeftButton, {}, target);
        const double metresPerPixel = 1 / panel.View().ScaleX;
        QVERIFY(std::abs(panel.View().CenterX - 150) <= metresPerPixel);
        QVERIFY(std::abs(panel.View().CenterY - 110) <= metresPerPixel);
    }

    void pickShowsTheAttributeWindowAndAnEmptyPickLeavesIt() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        openThroughDialog(town_);
        QTest::mouseClick(Child<QToolButton>(f, "tbtnOperationSelectPoint"), Qt::LeftButton);
        QVERIFY(Child<QToolButton>(f, "tbtnOperationSelectPoint")->isChecked());
        QVERIFY(!Child<QToolButton>(f, "tbtnOperationZoomRect")->isChecked());
        QCOMPARE(panel.OperationMode(), TOperationMode::omSelectPoint);
        auto* attributes = Child<TAttribMiniForm>(f, "AttribMiniForm");
        auto* detailsBox = Child<QPlainTextEdit>(*attributes, "Details");
        QVERIFY(!attributes->isVisible());
        QTest::mouseClick(surface(), Qt::LeftButton, {}, screenOf(40, 40));  // the school
        QVERIFY(attributes->isVisible());
        QCOMPARE(attributes->windowTitle(), QString("属性"));
        const QString details = detailsBox->toPlainText();
        QVERIFY2(details.contains("千代田小学校"), qPrintable(details));
        // Sized to its text: nothing to scroll.
        QTRY_COMPARE(detailsBox->verticalScrollBar()->maximum(), 0);
        QTRY_COMPARE(detailsBox->horizontalScrollBar()->maximum(), 0);
        for (int i = 0; i < 4; ++i) Child<QAction>(f, "OperationZoomOut1")->trigger();
        QTest::mouseClick(surface(), Qt::LeftButton, {}, screenOf(-60, -60));  // outside every feature
        QVERIFY(panel.PointedAttribs().empty());
        QVERIFY(attributes->isVisible());
        QCOMPARE(detailsBox->toPlainText(), details);
    }

    void settingsDialogRoundTripAndCache() {
        TMainForm& f = makeForm();
        TGeoPanel& panel = *Child<TGeoPanel>(f, "GeoPanel1");
        openThroughDialog(town_);
        fs::create_directories(cache() / "a" / "b");
        std::ofstream(cache() / "a" / "b" / "big", std::ios::binary) << std::string(1572864, 'x');
        QString volume;
        int readersBefore = -1;
        whenModal<TSetupForm>([&volume, &readersBefore](TSetupForm* s) {
            volume = Child<QLabel>(*s, "lbVolume")->text();
            clickBox(Child<QCheckBox>(*s, "cbVC21"));
            QTest::mouseClick(Child<QRadioButton>(*s, "rbDatumGrid"), Qt::LeftButton);
            readersBefore = Child<QSpinBox>(*s, "seReadingJobs")->value();
            Child<QSpinBox>(*s, "seReadingJobs")->setValue(1);
            QTest::mouseClick(Child<QPushButton>(*s, "OKBtn"), Qt::LeftButton);
            return true;
        });
        const int renders = panel.RenderCount();
        QCOMPARE(panel.Translator().GetDatumShift(), TDatumShift::dsHelmert);
        Child<QAction>(f, "FileSetup1")->trigger();
        // The grid is read on a worker; the panel converts by it once it is there.
        QCOMPARE(f.Settings().DatumShift, TDatumShift::dsGrid);
        QCOMPARE(readersBefore, 0);  // one reader per core
        QCOMPARE(f.Settings().ReadingJobs, 1);
        QTRY_COMPARE_WITH_TIMEOUT(panel.Translator().GetDatumShift(), TDatumShift::dsGrid, 20000);
        QCOMPARE(volume, QString("(サイズ: 1.5 Mbyte)"));
        QCOMPARE(panel.RenderCount(), renders + 1);
        for (int code : {11, 23, 24, 35, 51, 62, 73}) QVERIFY(panel.GetCategoryVisible(code));
        QVERIFY(!panel.GetCategoryVisible(21));

        // Opened again: the same state; clearing the cache and the end choice, then Cancel.
        std::vector<bool> shown;
        whenModal<TSetupForm>([&shown, &volume](TSetupForm* s) {
            for (int code : {11, 21, 23, 24, 35, 51, 62, 73}) shown.push_back(s->GetCategory(code));
            shown.push_back(s->GetDatumShift() == TDatumShift::dsGrid);
            shown.push_back(Child<QSpinBox>(*s, "seReadingJobs")->value() == 1);
            QTest::mouseClick(Child<QPushButton>(*s, "btnCashClear"), Qt::LeftButton);
            volume = Child<QLabel>(*s, "lbVolume")->text();
            clickBox(Child<QCheckBox>(*s, "cbEndCacheClear"));
            QTest::mouseClick(Child<QPushButton>(*s, "CancelBtn"), Qt::LeftButton);
            return true;
        });
        Child<QAction>(f, "FileSetup1")->trigger();
        QCOMPARE(shown, (std::vector<bool>{true, false, true, true, true, true, true, true, true, true}));
        QCOMPARE(volume, QString("(サイズ: 0.0 Mbyte)"));
        QVERIFY(fs::is_empty(cache()));  // Cancel does not undo the clearing
        QVERIFY(f.Settings().ClearAtEnd);  // nor take the check box
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    MainFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_form_test.moc"
