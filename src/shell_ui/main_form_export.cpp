// The main window's export command: ファイル → エクスポート.
#include <QFileInfo>

#include "base/sjis.h"
#include "shell_ui/export_command.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"

bool TMainForm::Exporting() const { return exporter_ && exporter_->Running(); }

void TMainForm::fileExportExecute() {
    if (!GeoPanel1->DataLoaded() || loading_) return;
    // A GeoPackage named after the opened data, beside it.
    QString suggested;
    if (!LastFileName.isEmpty()) {
        const QFileInfo opened(LastFileName);
        suggested = opened.absolutePath() + "/" + opened.completeBaseName() + ".gpkg";
    }
    exporter_->Execute(*GeoPanel1->MapObject(), suggested);
    updateActions();
}

void TMainForm::ExportTo(const QString& path, const QString& driver) {
    if (!GeoPanel1->DataLoaded() || loading_) return;
    exporter_->ExportTo(*GeoPanel1->MapObject(), path, driver);
    updateActions();
}

void TMainForm::exportFinished(const TExportSummary& summary, std::exception_ptr failure) {
    updateActions();
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            ShowErrorBox(sjis::fromUtf8(e.what()));  // export messages are UTF-8
        }
        return;
    }
    setStatus(3, summary.Cancelled ? QString("エクスポートを中止しました")
                                   : QString("エクスポート: %1件").arg(summary.Total));
}
