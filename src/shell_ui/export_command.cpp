#include "shell_ui/export_command.h"

#include <QFileDialog>
#include <QProgressDialog>
#include <QTimer>

#include "export/map_export.h"

const std::vector<TExportFormat>& ExportFormats() {
    static const std::vector<TExportFormat> formats = {
        {"GeoPackage (*.gpkg)", "GPKG", "gpkg"},
        {"GeoJSON (*.geojson *.json)", "GeoJSON", "geojson"},
        {"ESRI Shapefile (*.shp)", "ESRI Shapefile", "shp"},
        {"FlatGeobuf (*.fgb)", "FlatGeobuf", "fgb"},
        {"KML (*.kml)", "KML", "kml"},
    };
    return formats;
}

TExportCommand::TExportCommand(QWidget* window, Finished finished)
    : window_(window), finished_(std::move(finished)), job_(window) {
    poller_ = new QTimer(this);
    poller_->setInterval(50);
    connect(poller_, &QTimer::timeout, this, [this] { showProgress(); });
}

TExportCommand::~TExportCommand() {
    cancel_ = true;
    job_.Drop();
}

void TExportCommand::Execute(const TKDKObject& map, const QString& suggested) {
    if (Running()) return;
    QFileDialog dialog(window_, "エクスポート");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const TExportFormat& f : ExportFormats()) filters << f.Filter;
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.setDefaultSuffix(ExportFormats().front().Suffix);
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        for (const TExportFormat& f : ExportFormats())
            if (filter == f.Filter) dialog.setDefaultSuffix(f.Suffix);
    });
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString driver = ExportFormats().front().Driver;
    for (const TExportFormat& f : ExportFormats())
        if (dialog.selectedNameFilter() == f.Filter) driver = f.Driver;
    // The dialog has asked before replacing an existing file.
    ExportTo(map, dialog.selectedFiles().first(), driver);
}

void TExportCommand::ExportTo(const TKDKObject& map, const QString& path, const QString& driver) {
    if (Running()) return;
    TExportOptions options;
    options.Destination = path.toStdString();
    options.Format = driver.toStdString();
    options.Overwrite = true;
    written_ = 0;
    total_ = 0;
    cancel_ = false;

    progress_ = new QProgressDialog("エクスポート中", "中止", 0, 1000, window_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancel_ = true; });

    job_.Start([this, &map, options]() -> TBackgroundJob::Finish {
        TExportSummary summary;
        std::exception_ptr failure;
        try {
            summary = ExportMap(map, options, [this](int64_t written, int64_t total) {
                written_ = written;
                total_ = total;
                return !cancel_.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        return [this, summary, failure] { finish(summary, failure); };
    });
    poller_->start();
}

void TExportCommand::showProgress() {
    const int64_t total = total_;
    if (progress_ && total > 0) progress_->setValue(static_cast<int>(written_ * 1000 / total));
}

void TExportCommand::finish(const TExportSummary& summary, std::exception_ptr failure) {
    poller_->stop();
    progress_->deleteLater();
    progress_ = nullptr;
    finished_(summary, failure);
}
