#pragma once
// TMainForm, the viewer's main window: it owns the map document and
// coordinates the commands on it; the map panel GeoPanel1 shows the document,
// the menus and the two toolbars act over one list of actions; the four-panel
// status bar, the INI settings and the commands that open and close data.
// Opening runs on a loading thread (TDataLoader); the window merges each mesh
// it hands back into the document.
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <exception>
#include <memory>
#include <optional>

#include "export/export_options.h"
#include "shell/data_loader.h"
#include "shell_ui/background_job.h"
#include "shell/ini_settings.h"
#include "shell/search_engines.h"
#include "shell_ui/print_map.h"
#include "view_qt/geo_panel.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QPushButton;
class QToolBar;
class QToolButton;
class TAboutBox;
class TAttribMiniForm;
class TExportCommand;
class TGoToPlaceForm;
class TPlaceIndex;
struct TPlaceMatch;
class TRouteCommand;
struct TRoute;
class TOpenFolderForm;
class TSearchAttribForm;
class TPrintForm;
class TSetupForm;
class TUnlha;
class TUrlOpener;

class TMainForm : public QMainWindow {
public:
    // Reads the INI file of `configFolder` (UTF-8, ending with '/') and
    // takes `cacheFolder` (Shift-JIS, ending with '/') as the cache folder.
    TMainForm(const std::string& configFolder, const std::string& cacheFolder, QWidget* parent = nullptr);
    // Shutdown: empties the cache when ClearAtEnd and writes the INI file.
    ~TMainForm() override;

    // The settings the window keeps in its INI file, as they are now: the
    // last opened file and folders, the recent paths, the cache choice and
    // the datum shift; the bounds are those read at start (shutdown writes
    // the window's own).
    const TIniSettings& Settings() const { return settings_; }
    // The web search engines, from "engine.lst" in the configuration folder.
    const TEngineList& EngineList() const { return engineList_; }
    QString IniPath() const { return iniPath_; }

    // The text of status panel 0 to 3.
    QString StatusText(int panel) const;

    // Opens each path as the matching command would (a description file, an
    // archive, a folder), one after the other; a failing one ends the list.
    void OpenPaths(const QStringList& paths);
    // True while an open runs.
    bool Loading() const { return loading_; }
    // True while an export's worker runs, also after "中止" until it has
    // removed what it wrote.
    bool Exporting() const;
    // Sets the route's start or end at a world point; once both are set the
    // route is searched and drawn.
    void SetRouteEnd(bool start, const TGeoPoint2D& at);
    // Removes the route and its ends.
    void ClearRoute();
    // Centres the map on a place found, at a scale that shows it, and marks
    // it until the next command.
    void ShowPlace(const TPlaceMatch& place);
    // True once the place index of the loaded map is built.
    bool PlaceIndexReady() const;
    // True while a route is searched.
    bool SearchingRoute() const;
    // Exports the map to `path` in the OGR driver's format, as the export
    // command does once its dialog is answered.
    void ExportTo(const QString& path, const QString& driver, TExportEncoding encoding = TExportEncoding::UTF8);
    // Stops a running open before its next mesh.
    void CancelLoad();
    // Replaces what opens the web searches' addresses (the default browser).
    void SetUrlOpener(std::unique_ptr<TUrlOpener> opener);

    // The current printer, which the printer setup changes and printing uses.
    QPrinter* Printer() const { return printer_.get(); }
    // True from the print command's start to its end.
    bool Printing() const { return printing_; }
    // Prints the map on the current printer; margins in millimetres. Margins
    // that leave no room show "印刷範囲が小さすぎます" and start no job. A
    // Scale above 0 prints at 1:Scale (the whole area on as many pages as it
    // needs); 0 at the range's own scale.
    void PrintMap(int MarginLeft, int MarginTop, int MarginRight, int MarginBottom, int Copies, bool WholeArea,
                  double Scale = 0);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    TGeoPanel* GeoPanel1;
    QStatusBar* StatusBar1;
    QToolBar* tlbControl;
    QToolBar* tlbWebSearch;  // "検索"
    QComboBox* cbWebSearch;  // the engines' names, each item's data its index in engineList_
    QComboBox* cbITPSearch;  // the yellow-pages keyword
    QTimer* ZoomTimer;
    QMenu* mnuRecent;  // "最近使ったファイル"
    QAction *ShowControl1, *ShowWebSearch1;
    QProgressBar* pbLoad;
    QPushButton* btnLoadCancel;

    QAction *FileOpen1, *FileFolder1, *FileClose1, *FileExport1, *FileSetup1, *FilePrintSetup1, *FilePrint1, *FileExit1;
    QAction *DrawRefresh1, *DrawGaiku1;
    QAction *OperationSelectPoint1, *OperationMoveDrag1, *OperationZoomRect1;
    QAction *OperationZoomIn1, *OperationZoomOut1, *OperationZoomReset1;
    // The route on the map, from its context menu.
    QAction *RouteFrom1, *RouteTo1, *RouteClear1;
    QAction* GoToPlace1;  // 表示 → 場所へ移動
    QAction* ViewReadable;  // 表示 → 読みやすい表示: the readable drawing on screen, in copies and prints
    QAction *EditCopy1, *EditSearchAttrib1, *HelpAbout1, *WebSearch1, *ITPSearch1;

    TAboutBox* AboutBox;
    TAttribMiniForm* AttribMiniForm;
    TGoToPlaceForm* GoToPlaceForm;
    TPrintForm* PrintForm;
    TOpenFolderForm* OpenFolderForm;
    TSearchAttribForm* SearchAttribForm;
    TSetupForm* SetupForm;

    TEngineList engineList_;
    std::string CacheFolder;  // Shift-JIS, ending with '/'
    // What the INI file keeps. Its DatumShift is the shift of the Tokyo datum
    // chosen in 環境設定; the panel takes it once its grid has been read.
    TIniSettings settings_;
    bool ZoomingIn = false;

    // The 操作 toolbar's button of an action.
    QToolButton* toolButtonOf(QAction* action) const;
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createRouteActions();
    void createPlaceActions();
    void markUntilNextCommand();
    void clearPlaceMark(bool redraw);
    void buildPlaceIndex();
    void dropPlaceIndex();
    // True while a worker thread reads a map (export, route search, place index, the panel's rendering).
    bool mapInUse() const;
    // A worker has ended: held meshes may now be merged.
    void jobEnded();
    void goToPlaceExecute();
    void bindPanel();
    void readSettings();
    // Chooses the datum shift of the window's conversions: the grid is read
    // on a worker first; one that cannot be used is reported and the shift
    // stays as it was.
    void setDatumShift(TDatumShift shift);
    void shutdown();

    // Re-evaluates what is enabled (after every change of the panel's state).
    void updateActions();
    void setOperationMode(TOperationMode mode, QAction* pressed);
    void setStatus(int panel, const QString& text);

    // Commands.
    void fileOpenExecute();
    void fileFolderExecute();
    void fileCloseExecute();
    void fileSetupExecute();
    void fileExportExecute();
    void routeFound(const std::optional<TRoute>& found, std::exception_ptr failure);
    void exportFinished(const TExportSummary& summary, std::exception_ptr failure);
    void exportStopped();
    // The export dialog's first proposal: a GeoPackage named after the opened
    // data, in the last export's folder or else in the documents folder.
    QString proposedExportPath() const;
    // The opened data's name: a folder's own, a file's without its extension.
    QString openedName() const;
    void filePrintExecute();
    void filePrintSetupExecute();
    void previewMap(const TPrintRequest& request);
    void drawGaikuExecute();
    void setReadable(bool on);
    void showToolClick();
    void createWebSearchBar();
    void loadEngineList(const std::string& configFolder);
    // The prefecture, city and chome names at the view centre (Shift-JIS).
    std::string centreAddress() const;
    void webSearchExecute();
    void itpSearchExecute();
    void rebuildRecentMenu();

    // Opening on the loading thread.
    void openNext();
    void openPath(const QString& path);
    void startLoad(TLoadSource source, const QString& path);
    void deliverLoadEvent(TLoadEvent event);
    void releaseLoadEvents();
    void loadEvent(TLoadEvent event);
    void endOfLoad(TLoadEvent& finished);
    void finishLoad(bool completed);
    void reportErrorCount();
    void showProgress();

    // Pointer feedback.
    void panelMouseMove(double rx, double ry);
    void panelMouseUp();
    void panelPaint();

    // What the viewer has open; GeoPanel1 shows it.
    std::shared_ptr<MapDocument> document_ = std::make_shared<MapDocument>();
    QString iniPath_;
    QLabel* panels_[4];
    std::unique_ptr<TUnlha> archiver_;
    std::unique_ptr<TExportCommand> exporter_;
    std::unique_ptr<TRouteCommand> route_;
    TBackgroundJob places_{[this] { jobEnded(); }};  // builds the document's PlaceIndex after a load
    TBackgroundJob gridReader_;  // reads GSI's grid (about half a second) before the panel uses it
    TGeoPoint2D contextPoint_;  // where the map's context menu was opened
    std::unique_ptr<TUrlOpener> urlOpener_;
    TDataLoader loader_;
    bool loading_ = false;
    bool cancelRequested_ = false;
    bool mergedByLoader_ = false;  // the loading thread merges this open's meshes
    bool extractionFailed_ = false;
    TLoadSource loadSource_ = TLoadSource::lsMeshFile;
    QString loadPath_;
    QString openedPath_;  // what the map was last opened from; names the export
    // The loading thread's events that wait, in order, until no worker reads the map.
    std::deque<TLoadEvent> heldLoadEvents_;
    QStringList pendingPaths_;
    QTimer progressDelay_;
    bool shutDown_ = false;
    std::unique_ptr<QPrinter> printer_;
    bool printing_ = false;
};
