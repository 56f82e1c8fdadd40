// The main window's export command: ファイル → エクスポート. The dialog
// proposes a GeoPackage named after the opened data in the folder of the
// last export; "中止" gives the window back at once.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <new>

#include "base/exception.h"
#include "shell_ui/export_command.h"
#include "shell_ui/export_error_text.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/ui_text.h"

bool TMainForm::Exporting() const { return exporter_ && exporter_->Busy(); }

QString TMainForm::proposedExportPath() const {
    QString folder = settings_.LastExportFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QString name = openedName();
    if (name.isEmpty()) name = "map";
    return QDir(folder).filePath(name + ".gpkg");
}

QString TMainForm::openedName() const {
    // A folder of meshes by its own name, a description file or an archive without its extension.
    const QFileInfo opened(openedPath_);
    return opened.isDir() ? QDir(openedPath_).dirName() : opened.completeBaseName();
}

void TMainForm::fileExportExecute() {
    if (!GeoPanel1->DataLoaded() || loading_) return;
    const QString chosen = exporter_->Execute(GeoPanel1->SharedMap(), proposedExportPath(), openedName());
    if (!chosen.isEmpty()) settings_.LastExportFolder = QFileInfo(chosen).absolutePath();
    updateActions();
}

void TMainForm::ExportTo(const QString& path, const QString& driver, TExportEncoding encoding) {
    if (!GeoPanel1->DataLoaded() || loading_ || Exporting()) return;
    settings_.LastExportFolder = QFileInfo(path).absolutePath();
    exporter_->ExportTo(GeoPanel1->SharedMap(), path, driver, encoding, openedName());
    updateActions();
}

void TMainForm::exportStopped() {
    setStatus(3, "エクスポートを中止しました");
    updateActions();
}

void TMainForm::exportFinished(const TExportSummary& summary, std::exception_ptr failure) {
    updateActions();
    // Stopped by the user: the status says so already, and nothing was kept.
    if (summary.Cancelled || (failure && exporter_->WasStopped())) return;
    if (failure) {
        QString text;
        try {
            std::rethrow_exception(failure);
        } catch (const EExportError& e) {
            if (e.Failure() == TExportFailure::Cancelled) return;
            text = ExportErrorText(e);
        } catch (const std::bad_alloc&) {
            text = "エクスポートできません: メモリが足りません";
        } catch (const std::exception& e) {
            text = "エクスポートできません: " + QString::fromStdString(ExceptionText(e));
        }
        ShowErrorBox(ToSjis(text));
        return;
    }
    setStatus(3, QString("エクスポート: %1件").arg(summary.Total));
}
