#include "shell_ui/export_error_text.h"

QString ExportErrorText(const EExportError& error) {
    const QString subject = QString::fromStdString(error.Subject());
    QString text;
    switch (error.Failure()) {
        case TExportFailure::NothingToExport: text = "エクスポートする地物がありません"; break;
        case TExportFailure::DestinationExists: text = QString("%1 は既にあります").arg(subject); break;
        case TExportFailure::CannotWrite:
            text = subject.isEmpty() ? QString("書き込めません") : QString("%1 に書き込めません").arg(subject);
            break;
        case TExportFailure::Cancelled: text = "エクスポートを中止しました"; break;
        case TExportFailure::Failed:
            text = subject.isEmpty() ? QString("エクスポートできません") : QString("%1 をエクスポートできません").arg(subject);
            break;
    }
    // The reason as the system or GDAL gave it; a failure of no known kind
    // without one gives the export's own message as its reason.
    std::string reason = error.Detail();
    if (reason.empty() && error.Failure() == TExportFailure::Failed && subject.isEmpty()) reason = error.Utf8Text();
    if (!reason.empty()) text += ": " + QString::fromStdString(reason);
    return text;
}
