#include "shell_ui/main_form.h"

#include <QActionGroup>
#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "archive/unlha_component.h"
#include "base/sjis.h"
#include "datum/datum_grid_error.h"
#include "datum/gsi_grids.h"
#include "map/display_categories.h"
#include "shell/cache_folder.h"
#include "shell/latlon_text.h"
#include "shell_ui/about_box.h"
#include "shell_ui/attrib_mini_form.h"
#include "shell_ui/export_command.h"
#include "shell_ui/go_to_place_form.h"
#include "shell_ui/object_names.h"
#include "shell_ui/orvelle_application.h"
#include "places/place_index.h"
#include "shell_ui/open_folder_form.h"
#include "shell_ui/print_form.h"
#include "shell_ui/route_command.h"
#include "shell_ui/search_attrib_form.h"
#include "shell_ui/setup_form.h"
#include "shell_ui/ui_text.h"
#include "shell_ui/url_opener.h"

namespace {

constexpr int kPanelWidths[4] = {90, 90, 250, 250};
// Beside the latitude and longitude where TKY2JGD has no parameter and the
// three-parameter shift converted the pointer's position.
const QString kApproximateMark = QStringLiteral(" *");

// An action of ActionList1. `hint` may hold a short and a long hint
// separated by '|': the short one is the tool tip.
QAction* makeAction(QObject* owner, const char* name, const QString& category, const QString& caption,
                    const QString& hint, const QKeySequence& shortcut = {}) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(name);
    a->setProperty("category", category);
    a->setProperty("hint", hint);
    const qsizetype bar = hint.indexOf('|');
    a->setToolTip(bar < 0 ? hint : hint.left(bar));
    if (bar >= 0) a->setWhatsThis(hint.mid(bar + 1));
    a->setShortcut(shortcut);
    return a;
}

}  // namespace

TMainForm::TMainForm(const std::string& configFolder, const std::string& cacheFolder, QWidget* parent)
    : QMainWindow(parent), CacheFolder(cacheFolder), urlOpener_(std::make_unique<TDesktopUrlOpener>()) {
    setWindowTitle("Orvelle");
    setAcceptDrops(true);

    GeoPanel1 = new TGeoPanel(document_, this);
    GeoPanel1->SetOperationMode(TOperationMode::omZoomRect);
    GeoPanel1->ViewMode = TViewMode::vmGaiku;
    GeoPanel1->SetZoomFactor(1.25);
    GeoPanel1->SetZoomInLimit(1.0);
    GeoPanel1->SetZoomOutLimit(1000000.0);
    GeoPanel1->SelectSize = 3;
    GeoPanel1->SelectColor = 0x0000FF;
    GeoPanel1->SelectPenStyle = TPenStyle::psSolid;
    GeoPanel1->SelectPenWidth = 3;
    GeoPanel1->SelectBrushStyle = TBrushStyle::bsDiagCross;
    GeoPanel1->SetCoordsFormat(TCoordsFormat::cfGeodeticWGS);
    GeoPanel1->ClientAreaColor = 0xFFFFFF;
    setCentralWidget(GeoPanel1);

    ZoomTimer = new QTimer(this);
    ZoomTimer->setInterval(100);
    connect(ZoomTimer, &QTimer::timeout, this, [this] { ZoomingIn ? GeoPanel1->ZoomIn() : GeoPanel1->ZoomOut(); });

    exporter_ = std::make_unique<TExportCommand>(
        this, TExportCommand::Events{
                  [this](const TExportSummary& summary, std::exception_ptr failure) { exportFinished(summary, failure); },
                  [this] { exportStopped(); }, [this] { jobEnded(); }});
    createActions();
    createPlaceActions();
    createMenus();
    createToolBars();
    createStatusBar();
    createRouteActions();
    bindPanel();
    SetObjectNames({{GeoPanel1, "GeoPanel1"}, {ZoomTimer, "ZoomTimer"}, {mnuRecent, "mnuRecent"},
                    {ShowControl1, "ShowControl1"}, {ShowWebSearch1, "ShowWebSearch1"}, {cbWebSearch, "cbWebSearch"},
                    {cbITPSearch, "cbITPSearch"}, {StatusBar1, "StatusBar1"}, {pbLoad, "pbLoad"},
                    {btnLoadCancel, "btnLoadCancel"}});

    // FormCreate: the INI file, the engine list, the archive component, the cache folder, the settings.
    iniPath_ = QString::fromStdString(configFolder) + "orvelle.ini";
    loadEngineList(configFolder);
    archiver_ = std::make_unique<TUnlha>();
    archiver_->ARCPattern = "*.*";
    readSettings();

    AboutBox = new TAboutBox(this);
    AttribMiniForm = new TAttribMiniForm(this);
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrintForm = new TPrintForm(this, *printer_);
    PrintForm->SetOnPreview([this](const TPrintRequest& request) { previewMap(request); });
    OpenFolderForm = new TOpenFolderForm(this);
    SearchAttribForm = new TSearchAttribForm(*GeoPanel1, this);
    SearchAttribForm->SetOnStatus([this](const QString& text) { setStatus(3, text); });
    SetupForm = new TSetupForm(this);

    progressDelay_.setSingleShot(true);
    progressDelay_.setInterval(500);
    connect(&progressDelay_, &QTimer::timeout, this, [this] { showProgress(); });
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, [this] { CancelLoad(); });
    markUntilNextCommand();
    updateActions();
}

TMainForm::~TMainForm() { shutdown(); }

void TMainForm::createActions() {
    const QString file = "ファイル", draw = "描画", op = "操作", edit = "編集", help = "ヘルプ", web = "Web検索";
    FileOpen1 = makeAction(this, "FileOpen1", file, "開く(&O)...", "開く|既存のファイルを開く", QKeySequence("Ctrl+O"));
    FileFolder1 = makeAction(this, "FileFolder1", file, "フォルダごと開く(&F)...", "フォルダごと開く");
    FileClose1 = makeAction(this, "FileClose1", file, "閉じる(&C)", "閉じる");
    FileExport1 = makeAction(this, "FileExport1", file, "エクスポート(&E)...", "エクスポート|GIS形式のファイルに書き出す");
    FileSetup1 = makeAction(this, "FileSetup1", file, "環境設定(&T)...", "環境設定");
    FilePrintSetup1 = makeAction(this, "FilePrintSetup1", file, "プリンタの設定(&U)...", "プリンタの設定");
    FilePrint1 = makeAction(this, "FilePrint1", file, "印刷(&P)...", "印刷");
    FileExit1 = makeAction(this, "FileExit1", file, "終了(&X)", "終了|アプリケーションを終了する");
    DrawRefresh1 = makeAction(this, "DrawRefresh1", draw, "再描画", "再描画");
    DrawGaiku1 = makeAction(this, "DrawGaiku1", draw, "街区表示", "街区表示");
    OperationSelectPoint1 = makeAction(this, "OperationSelectPoint1", op, "選択", "選択");
    OperationMoveDrag1 = makeAction(this, "OperationMoveDrag1", op, "移動", "移動");
    OperationZoomRect1 = makeAction(this, "OperationZoomRect1", op, "矩形拡大", "矩形拡大");
    OperationZoomIn1 = makeAction(this, "OperationZoomIn1", op, "拡大", "拡大");
    OperationZoomOut1 = makeAction(this, "OperationZoomOut1", op, "縮小", "縮小");
    OperationZoomReset1 = makeAction(this, "OperationZoomReset1", op, "全体表示", "全体表示");
    EditCopy1 = makeAction(this, "EditCopy1", edit, "コピー(&C)", "コピー|クリップボードに送る", QKeySequence("Ctrl+C"));
    EditSearchAttrib1 = makeAction(this, "EditSearchAttrib1", edit, "属性検索(&S)...", "属性検索", QKeySequence("Ctrl+S"));
    HelpAbout1 = makeAction(this, "HelpAbout1", help, "バージョン情報(&A)...", "");
    WebSearch1 = makeAction(this, "WebSearch1", web, "Web検索", "検索エンジンで表示住所を検索");
    ITPSearch1 = makeAction(this, "ITPSearch1", web, "タウンページ検索", "タウンページで検索");

    DrawGaiku1->setCheckable(true);
    ViewReadable = makeAction(this, "ViewReadable", "表示", "読みやすい表示(&R)",
                              "読みやすい表示|縮尺に応じて描き分け、注記を重ならないように置き、縮尺記号を表示する");
    ViewReadable->setCheckable(true);
    connect(ViewReadable, &QAction::triggered, this, [this](bool on) {
        setReadable(on);
        GeoPanel1->Redraw();
    });
    auto* modes = new QActionGroup(this);  // exclusive, none checked at start
    for (QAction* a : {OperationSelectPoint1, OperationMoveDrag1, OperationZoomRect1}) {
        a->setCheckable(true);
        modes->addAction(a);
    }

    connect(FileOpen1, &QAction::triggered, this, [this] { fileOpenExecute(); });
    connect(FileFolder1, &QAction::triggered, this, [this] { fileFolderExecute(); });
    connect(FileClose1, &QAction::triggered, this, [this] { fileCloseExecute(); });
    connect(FileSetup1, &QAction::triggered, this, [this] { fileSetupExecute(); });
    connect(FileExport1, &QAction::triggered, this, [this] { fileExportExecute(); });
    connect(FilePrintSetup1, &QAction::triggered, this, [this] { filePrintSetupExecute(); });
    connect(FilePrint1, &QAction::triggered, this, [this] { filePrintExecute(); });
    connect(FileExit1, &QAction::triggered, this, [this] { close(); });
    connect(DrawRefresh1, &QAction::triggered, this, [this] { GeoPanel1->Redraw(); });
    connect(DrawGaiku1, &QAction::triggered, this, [this] { drawGaikuExecute(); });
    connect(OperationSelectPoint1, &QAction::triggered, this,
            [this] { setOperationMode(TOperationMode::omSelectPoint, OperationSelectPoint1); });
    connect(OperationMoveDrag1, &QAction::triggered, this,
            [this] { setOperationMode(TOperationMode::omMoveDrag, OperationMoveDrag1); });
    connect(OperationZoomRect1, &QAction::triggered, this,
            [this] { setOperationMode(TOperationMode::omZoomRect, OperationZoomRect1); });
    connect(OperationZoomIn1, &QAction::triggered, this, [this] { GeoPanel1->ZoomIn(); });
    connect(OperationZoomOut1, &QAction::triggered, this, [this] { GeoPanel1->ZoomOut(); });
    connect(OperationZoomReset1, &QAction::triggered, this, [this] { GeoPanel1->ZoomReset(); });
    connect(EditCopy1, &QAction::triggered, this, [this] { GeoPanel1->CopyToClipboard(); });
    connect(EditSearchAttrib1, &QAction::triggered, this, [this] {
        SearchAttribForm->show();  // without waiting; an open dialog only comes to the front
        SearchAttribForm->raise();
        SearchAttribForm->activateWindow();
    });
    connect(WebSearch1, &QAction::triggered, this, [this] { webSearchExecute(); });
    connect(ITPSearch1, &QAction::triggered, this, [this] { itpSearchExecute(); });
    connect(HelpAbout1, &QAction::triggered, this, [this] { AboutBox->exec(); });
}

void TMainForm::createMenus() {
    QMenu* file = menuBar()->addMenu("ファイル(&F)");
    file->addActions({FileOpen1, FileFolder1, FileClose1});
    mnuRecent = file->addMenu("最近使ったファイル");
    file->addSeparator();
    file->addAction(FileExport1);
    file->addSeparator();
    file->addAction(FileSetup1);
    file->addSeparator();
    file->addActions({FilePrintSetup1, FilePrint1});
    file->addSeparator();
    file->addAction(FileExit1);

    QMenu* edit = menuBar()->addMenu("編集(&E)");
    edit->addAction(EditCopy1);
    edit->addSeparator();
    edit->addAction(EditSearchAttrib1);

    QMenu* view = menuBar()->addMenu("表示(&V)");
    view->addAction(GoToPlace1);
    view->addSeparator();
    view->addAction(ViewReadable);

    QMenu* tools = menuBar()->addMenu("ツールバー(&T)");
    ShowControl1 = tools->addAction("操作(&C)");
    ShowWebSearch1 = tools->addAction("Web検索(&S)");
    for (QAction* a : {ShowControl1, ShowWebSearch1}) a->setCheckable(true);
    connect(tools, &QMenu::aboutToShow, this, [this] { showToolClick(); });
    connect(ShowControl1, &QAction::triggered, this, [this] { tlbControl->setVisible(!tlbControl->isVisible()); });
    connect(ShowWebSearch1, &QAction::triggered, this,
            [this] { tlbWebSearch->setVisible(!tlbWebSearch->isVisible()); });

    menuBar()->addMenu("ヘルプ(&H)")->addAction(HelpAbout1);
}

void TMainForm::createToolBars() {
    tlbControl = addToolBar("操作");
    tlbControl->setObjectName("tlbControl");
    tlbControl->addActions({FileOpen1, FileClose1, FilePrint1, FileExit1});
    tlbControl->addSeparator();
    tlbControl->addActions({OperationSelectPoint1, OperationMoveDrag1, OperationZoomRect1});
    tlbControl->addSeparator();
    tlbControl->addActions({OperationZoomIn1, OperationZoomOut1, OperationZoomReset1});
    tlbControl->addSeparator();
    tlbControl->addActions({DrawRefresh1, DrawGaiku1});
    SetObjectNames({{toolButtonOf(OperationSelectPoint1), "tbtnOperationSelectPoint"},
                    {toolButtonOf(OperationMoveDrag1), "tbtnOperationMoveDrag"},
                    {toolButtonOf(OperationZoomRect1), "tbtnOperationZoomRect"},
                    {toolButtonOf(OperationZoomIn1), "tbtnZoomIn"},
                    {toolButtonOf(OperationZoomOut1), "tbtnZoomOut"},
                    {toolButtonOf(DrawGaiku1), "tbtnDrawGaiku"}});
    for (QAction* a : {OperationZoomIn1, OperationZoomOut1}) toolButtonOf(a)->installEventFilter(this);

    createWebSearchBar();
}

QToolButton* TMainForm::toolButtonOf(QAction* action) const {
    return qobject_cast<QToolButton*>(tlbControl->widgetForAction(action));
}

void TMainForm::createStatusBar() {
    StatusBar1 = statusBar();
    // The position panels widen when the screen's font needs more room for
    // the longest position text than their 90 pixels.
    const int positionWidth = StatusBar1->fontMetrics().horizontalAdvance("E 139.59.59.99" + kApproximateMark) + 12;
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(StatusBar1);
        panels_[i]->setFixedWidth(i < 2 ? std::max(kPanelWidths[i], positionWidth) : kPanelWidths[i]);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(panels_[i]);
    }
    pbLoad = new QProgressBar(StatusBar1);
    pbLoad->setMaximumWidth(220);
    btnLoadCancel = new QPushButton("中止", StatusBar1);
    connect(btnLoadCancel, &QPushButton::clicked, this, [this] { CancelLoad(); });
    StatusBar1->addPermanentWidget(pbLoad);
    StatusBar1->addPermanentWidget(btnLoadCancel);
    pbLoad->hide();
    btnLoadCancel->hide();
}

QString TMainForm::StatusText(int panel) const { return panels_[panel]->text(); }

void TMainForm::setStatus(int panel, const QString& text) { panels_[panel]->setText(text); }

void TMainForm::bindPanel() {
    connect(GeoPanel1, &TGeoPanel::OnMouseDown, this, [this] {
        clearPlaceMark(false);  // the gesture's own drawing leaves it out
    });
    connect(GeoPanel1, &TGeoPanel::OnMouseMove, this,
            [this](QObject*, Qt::KeyboardModifiers, int, int, double rx, double ry) { panelMouseMove(rx, ry); });
    connect(GeoPanel1, &TGeoPanel::OnMouseUp, this, [this] { panelMouseUp(); });
    connect(GeoPanel1, &TGeoPanel::OnPaint, this, [this] { panelPaint(); });
    // Held meshes wait for the panel's rendering to let go of the map.
    connect(GeoPanel1, &TGeoPanel::OnRendered, this, [this] { releaseLoadEvents(); });
    // A double-click centres the map on the clicked point.
    connect(GeoPanel1, &TGeoPanel::OnDblClick, this, [this] {
        if (!GeoPanel1->DataLoaded()) return;
        const TGeoPoint2D at = GeoPanel1->ScreenToWorld(GeoPanel1->DownPoint().x(), GeoPanel1->DownPoint().y());
        GeoPanel1->CentreOn(at.X, at.Y);
    });
}

void TMainForm::panelMouseMove(double rx, double ry) {
    const QString mark = GeoPanel1->PointerApproximate() ? kApproximateMark : QString();
    setStatus(0, QString::fromStdString(latlon::latitudeText(ry)) + mark);
    setStatus(1, QString::fromStdString(latlon::longitudeText(rx)) + mark);
}

void TMainForm::setDatumShift(TDatumShift shift) {
    settings_.DatumShift = shift;
    if (shift == TDatumShift::dsHelmert) {
        gridReader_.Abandon();
        GeoPanel1->Translator().SetDatumShift(shift);
        return;
    }
    gridReader_.Start([this](std::stop_token) -> TBackgroundJob::Finish {
        try {
            Tky2JgdGrid();  // kept for the process: the panel's choice below takes no time
        } catch (const EDatumGridError& e) {
            return [this, error = e] {
                settings_.DatumShift = GeoPanel1->Translator().GetDatumShift();
                ShowErrorBox(error);
            };
        }
        return [this] { GeoPanel1->Translator().SetDatumShift(TDatumShift::dsGrid); };
    });
}

void TMainForm::panelMouseUp() {
    if (GeoPanel1->OperationMode() == TOperationMode::omSelectPoint && !GeoPanel1->PointedAttribs().empty())
        AttribMiniForm->ShowDetails(FromSjis(GeoPanel1->PointedAttribs()));
}

void TMainForm::panelPaint() {
    if (GeoPanel1->DataLoaded())
        setStatus(2, FromSjis(centreAddress()) + "付近");
    else
        setStatus(2, {});
    updateActions();  // the view mode may have changed with the data
}

void TMainForm::updateActions() {
    const bool data = GeoPanel1->DataLoaded();
    for (QAction* a : {FileClose1, FilePrint1, DrawRefresh1, DrawGaiku1, OperationSelectPoint1, OperationMoveDrag1,
                       OperationZoomRect1, OperationZoomIn1, OperationZoomOut1, OperationZoomReset1, EditCopy1,
                       EditSearchAttrib1, ITPSearch1})
        a->setEnabled(data);
    WebSearch1->setEnabled(data && engineList_.Count() > 0);
    DrawGaiku1->setChecked(GeoPanel1->ViewMode == TViewMode::vmGaiku);
    // One open at a time; nothing changes the map while it runs. While the
    // export's dialog is up, nothing opens, closes or exports either; after
    // "中止" the window is free again, but a new export waits for the worker.
    const bool exporting = exporter_ && exporter_->Running();
    for (QAction* a : {FileOpen1, FileFolder1}) a->setEnabled(!loading_ && !exporting);
    FileSetup1->setEnabled(!loading_);
    if (loading_ || exporting) FileClose1->setEnabled(false);
    FileExport1->setEnabled(data && !loading_ && !Exporting());
    GoToPlace1->setEnabled(data && !loading_ && document_->PlaceIndex);
    mnuRecent->setEnabled(!loading_ && !exporting && !settings_.RecentFiles.isEmpty());
}

void TMainForm::setOperationMode(TOperationMode mode, QAction* pressed) {
    GeoPanel1->SetOperationMode(mode);
    pressed->setChecked(true);
}

void TMainForm::drawGaikuExecute() {
    GeoPanel1->ViewMode = GeoPanel1->ViewMode == TViewMode::vmGaiku ? TViewMode::vmNoGaiku : TViewMode::vmGaiku;
    updateActions();
    GeoPanel1->Redraw();
}

void TMainForm::setReadable(bool on) {
    document_->Display.Readable = on;
    settings_.Readable = on;
    ViewReadable->setChecked(on);
}

void TMainForm::showToolClick() {
    ShowControl1->setChecked(tlbControl->isVisible());
    ShowWebSearch1->setChecked(tlbWebSearch->isVisible());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Holding a zoom button repeats the zoom every ZoomTimer tick; the click
    // itself still zooms once on release.
    auto* button = qobject_cast<QToolButton*>(watched);
    QToolButton* zoomIn = toolButtonOf(OperationZoomIn1);
    if (button && button->isEnabled() && (button == zoomIn || button == toolButtonOf(OperationZoomOut1))) {
        if (event->type() == QEvent::MouseButtonPress) {
            ZoomingIn = button == zoomIn;
            ZoomTimer->start();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            ZoomTimer->stop();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::readSettings() {
    const TIniSettings s = ReadIniSettings(iniPath_);
    resize(s.Width, s.Height);
    settings_ = s;
    rebuildRecentMenu();
    setDatumShift(s.DatumShift);
    setReadable(s.Readable);
    if (s.Left == -1 || s.Top == -1) {
        const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    } else {
        move(s.Left, s.Top);
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Quitting stops every job; the export, the one that writes, is waited
    // for here so that its worker has removed what it wrote before the window goes.
    CancelLoad();
    exporter_->Stop();
    exporter_->Wait();
    QMainWindow::closeEvent(event);
}

bool TMainForm::mapInUse() const {
    return exporter_->Busy() || route_->Busy() || places_.Busy() || GeoPanel1->Rendering();
}

void TMainForm::jobEnded() {
    releaseLoadEvents();
    updateActions();
}

void TMainForm::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    // Every job is asked to stop first, then each is waited for.
    loader_.Cancel();
    exporter_->Stop();
    route_->Reset();
    dropPlaceIndex();
    loader_.Wait();
    exporter_->Wait();
    route_->Wait();
    places_.Wait();
    if (settings_.ClearAtEnd) ClearFolder(CacheFolder);
    archiver_.reset();
    TIniSettings s = settings_;
    s.Left = x();
    s.Top = y();
    s.Width = width();
    s.Height = height();
    if (!WriteIniSettings(iniPath_, s)) qWarning("orvelle: the settings could not be written to %s", qPrintable(iniPath_));
}

void TMainForm::fileCloseExecute() {
    // Jobs still reading the map keep it alive; their results are dropped.
    route_->Reset();
    dropPlaceIndex();
    GeoPanel1->CloseData();
    openedPath_.clear();
    for (int i = 0; i < 4; ++i) setStatus(i, {});
    setWindowTitle("Orvelle");
    updateActions();
}

void TMainForm::fileSetupExecute() {
    for (const TDisplayCategory& c : kDisplayCategories)
        SetupForm->SetCategory(c.Major, GeoPanel1->GetCategoryVisible(c.Major));
    SetupForm->SetCacheFolder(CacheFolder);
    SetupForm->SetErrorLog(&GeoPanel1->ErrorList);
    SetupForm->SetClearAtEnd(settings_.ClearAtEnd);
    SetupForm->SetDatumShift(settings_.DatumShift);
    SetupForm->SetReadingJobs(settings_.ReadingJobs);
    if (SetupForm->exec() != QDialog::Accepted) return;
    for (const TDisplayCategory& c : kDisplayCategories)
        GeoPanel1->SetCategoryVisible(c.Major, SetupForm->GetCategory(c.Major));
    CacheFolder = SetupForm->GetCacheFolder();
    settings_.ClearAtEnd = SetupForm->GetClearAtEnd();
    settings_.ReadingJobs = SetupForm->GetReadingJobs();
    setDatumShift(SetupForm->GetDatumShift());
    GeoPanel1->Redraw();
}
