// The main window's open, folder and drop commands: each open runs on the
// loading thread, and the window adds every mesh it hands back to the panel.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>

#include "shell_ui/main_form.h"
#include "shell_ui/route_command.h"
#include "shell_ui/open_folder_form.h"
#include "shell_ui/ui_text.h"

namespace {

const QString kLzhFilter = "数値地図2500ファイル-市町村別 (*.lzh *.LZH)";
const QString kTxtFilter = "数値地図2500ファイル-メッシュ (*.txt *.TXT)";

QString dataName(const QString& path) {
    QFileInfo info(path);
    return info.fileName().isEmpty() ? QDir(path).dirName() : info.fileName();
}

}  // namespace

void TMainForm::fileOpenExecute() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({kLzhFilter, kTxtFilter});
    dialog.selectNameFilter(kLzhFilter);
    dialog.setDefaultSuffix("txt");
    if (!settings_.LastFileName.isEmpty()) {
        dialog.setDirectory(QFileInfo(settings_.LastFileName).absolutePath());
        dialog.selectFile(settings_.LastFileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    if (QFileInfo(path).isFile()) openPath(path);
}

void TMainForm::fileFolderExecute() {
    if (!settings_.LastOpenFolder.isEmpty()) OpenFolderForm->SetFolder(settings_.LastOpenFolder);
    if (OpenFolderForm->exec() == QDialog::Accepted) startLoad(TLoadSource::lsFolder, OpenFolderForm->Folder());
}

void TMainForm::OpenPaths(const QStringList& paths) {
    pendingPaths_ += paths;
    if (!loading_) openNext();
}

void TMainForm::openNext() {
    while (!pendingPaths_.isEmpty() && !loading_) {
        const QString path = pendingPaths_.takeFirst();
        if (QFileInfo(path).isDir())
            startLoad(TLoadSource::lsFolder, path);
        else if (QFileInfo(path).isFile())
            openPath(path);
        else
            qWarning("orvelle: no such file or folder: %s", qPrintable(path));
    }
}

void TMainForm::openPath(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == "LZH")
        startLoad(TLoadSource::lsArchive, path);
    else if (extension == "TXT")
        startLoad(TLoadSource::lsMeshFile, path);
}

void TMainForm::startLoad(TLoadSource source, const QString& path) {
    // The road graph and the place index belong to the map that is about to
    // change; searches still running on it are dropped and end on their own.
    ClearRoute();
    dropPlaceIndex();
    clearPlaceMark(false);
    heldLoadEvents_.clear();  // the rest of an open that ended at a failing mesh
    loading_ = true;
    cancelRequested_ = false;
    extractionFailed_ = false;
    loadSource_ = source;
    loadPath_ = path;
    progressDelay_.start();
    pbLoad->setRange(0, 0);
    updateActions();
    TLoadRequest request{source, path.toStdString(), CacheFolder, archiver_.get(), GeoPanel1->CoordsFormat(),
                         settings_.ReadingJobs};
    // Into an empty window the loading thread merges the meshes itself.
    request.MergeMeshes = mergedByLoader_ = !GeoPanel1->DataLoaded();
    loader_.Start(std::move(request), [this](TLoadEvent event) {
        QMetaObject::invokeMethod(this, [this, event]() mutable { deliverLoadEvent(std::move(event)); },
                                  Qt::QueuedConnection);
    });
}

void TMainForm::deliverLoadEvent(TLoadEvent event) {
    heldLoadEvents_.push_back(std::move(event));
    releaseLoadEvents();
}

void TMainForm::releaseLoadEvents() {
    // A mesh is merged only into a map that no worker reads: while one still
    // does (an export ending after "中止", a dropped search), the events wait
    // for it, in order. A first mesh makes a new map and need not wait.
    while (!heldLoadEvents_.empty() && !(GeoPanel1->DataLoaded() && mapInUse())) {
        TLoadEvent event = std::move(heldLoadEvents_.front());
        heldLoadEvents_.pop_front();
        loadEvent(std::move(event));
    }
}

void TMainForm::CancelLoad() {
    if (!loading_ || cancelRequested_) return;
    cancelRequested_ = true;
    pendingPaths_.clear();
    loader_.Cancel();
}

void TMainForm::loadEvent(TLoadEvent event) {
    if (!loading_) return;  // the rest of an open that already ended at a failing mesh
    switch (event.Kind) {
        case TLoadEvent::leExtracting: setStatus(3, "解凍中"); break;
        case TLoadEvent::leExtractionFailed: extractionFailed_ = true; break;
        case TLoadEvent::leReadingBegins:
            GeoPanel1->ErrorList.clear();
            pbLoad->setRange(0, event.FileCount);
            pbLoad->setValue(0);
            break;
        case TLoadEvent::leReadingFile:
            if (!cancelRequested_) setStatus(3, "読込中: " + QString::fromStdString(event.FileName));
            break;
        case TLoadEvent::leMeshRead: {
            // What a merging loading thread merged before a failing mesh is kept, cancelled or not.
            if (std::unique_ptr<TKDKObject> merged = TakeMerged(event)) GeoPanel1->AddMesh(std::move(merged));
            // Read after the cancel: dropped. A merging loading thread drops
            // such meshes itself, so its other events still count.
            if (cancelRequested_ && (!mergedByLoader_ || event.Failure)) break;
            TErrorList& errors = GeoPanel1->ErrorList;
            errors.insert(errors.end(), event.Errors.begin(), event.Errors.end());
            pbLoad->setValue(event.FileIndex + 1);
            pbLoad->setFormat(QString("%v / %m  (%1 MB)").arg(double(event.BytesRead) / 1048576.0, 0, 'f', 1));
            if (event.Failure) {
                // The open ends here: no count, no redraw, the last paths
                // unchanged; "読込中" no longer holds.
                GeoPanel1->AddFailedMesh(TakeMesh(event));
                finishLoad(false);
                setStatus(3, QString());
                std::rethrow_exception(event.Failure);
            }
            if (!mergedByLoader_)
                GeoPanel1->AddMesh(TakeMesh(event));
            else if (!event.MergedHasBlocks)
                GeoPanel1->ViewMode = TViewMode::vmNoGaiku;  // as AddMesh sets it after each mesh
            break;
        }
        case TLoadEvent::leFinished: endOfLoad(event); break;
    }
}

void TMainForm::endOfLoad(TLoadEvent& finished) {
    if (std::unique_ptr<TKDKObject> merged = TakeMerged(finished)) GeoPanel1->AddMesh(std::move(merged));
    if (finished.Failure) {
        finishLoad(false);
        setStatus(3, QString());
        std::rethrow_exception(finished.Failure);
    }
    if (extractionFailed_) {  // nothing loaded; "解凍中" stays
        finishLoad(false);
        return;
    }
    const bool cancelled = cancelRequested_;
    finishLoad(!cancelled);
    if (cancelled) GeoPanel1->ErrorList.push_back(sjis::fromUtf8("読込を中止しました"));
    reportErrorCount();
    GeoPanel1->Redraw();
    if (cancelled) return;
    if (loadSource_ == TLoadSource::lsFolder)
        settings_.LastOpenFolder = loadPath_;
    else
        settings_.LastFileName = loadPath_;
    RememberRecent(settings_.RecentFiles, loadPath_);
    rebuildRecentMenu();
    setWindowTitle("Orvelle - " + dataName(loadPath_));
    openNext();
}

void TMainForm::finishLoad(bool completed) {
    loading_ = false;
    if (!completed) pendingPaths_.clear();
    progressDelay_.stop();
    pbLoad->hide();
    btnLoadCancel->hide();
    loader_.Wait();  // the thread has posted its last event and is ending
    if (GeoPanel1->DataLoaded() && (completed || openedPath_.isEmpty())) openedPath_ = loadPath_;
    buildPlaceIndex();
    updateActions();
}

void TMainForm::showProgress() {
    if (!loading_) return;
    pbLoad->show();
    btnLoadCancel->show();
}

void TMainForm::reportErrorCount() {
    const size_t n = GeoPanel1->ErrorList.size();
    setStatus(3, n ? QString("エラー: %1箇所").arg(n) : QString());
}

void TMainForm::rebuildRecentMenu() {
    mnuRecent->clear();
    for (const QString& path : settings_.RecentFiles) {
        QAction* a = mnuRecent->addAction(QString(path).replace('&', "&&"));
        connect(a, &QAction::triggered, this, [this, path] { OpenPaths({path}); });
    }
    updateActions();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (loading_ || !event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls())
        if (!url.isLocalFile()) return;
    event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) paths.append(url.toLocalFile());
    event->acceptProposedAction();
    OpenPaths(paths);
}
