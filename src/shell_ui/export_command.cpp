#include "shell_ui/export_command.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QProgressDialog>
#include <QTimer>

#include "export/map_export.h"

const std::vector<TExportFormat>& ExportFormats() {
    static const std::vector<TExportFormat> formats = {
        {"GeoPackage (*.gpkg)", "GPKG", "gpkg", false},
        {"GeoJSON (*.geojson *.json)", "GeoJSON", "geojson", false},
        {"ESRI Shapefile (*.shp)", "ESRI Shapefile", "shp", true},
        {"FlatGeobuf (*.fgb)", "FlatGeobuf", "fgb", false},
        {"KML (*.kml)", "KML", "kml", false},
        {"DXF (*.dxf)", "DXF", "dxf", true},
        {"CSV (*.csv)", "CSV", "csv", true},
        {"MapInfo TAB (*.tab)", "MapInfo File", "tab", true},
    };
    return formats;
}

const QStringList& ExportEncodingChoices() {
    static const QStringList choices = {"UTF-8", "Shift_JIS (CP932)"};
    return choices;
}

TExportCommand::TExportCommand(QWidget* window, Events events) : window_(window), events_(std::move(events)), job_(events_.Ended) {
    poller_ = new QTimer(this);
    poller_->setInterval(50);
    connect(poller_, &QTimer::timeout, this, [this] { showProgress(); });
}

TExportCommand::~TExportCommand() { job_.Wait(); }

QString TExportCommand::Execute(std::shared_ptr<const TKDKObject> map, const QString& suggested,
                                const QString& source) {
    if (Busy()) return {};
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
    if (!suggested.isEmpty()) {
        dialog.setDirectory(QFileInfo(suggested).absolutePath());
        dialog.selectFile(suggested);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const TExportFormat* format = &ExportFormats().front();
    for (const TExportFormat& f : ExportFormats())
        if (dialog.selectedNameFilter() == f.Filter) format = &f;
    TExportEncoding encoding = TExportEncoding::UTF8;
    if (format->TakesEncoding) {
        bool chosen = false;
        const QString choice = QInputDialog::getItem(window_, "文字コード", "文字コード:", ExportEncodingChoices(), 0,
                                                     false, &chosen);
        if (!chosen) return {};
        if (choice == ExportEncodingChoices()[1]) encoding = TExportEncoding::CP932;
    }
    // The dialog has asked before replacing an existing file.
    const QString path = dialog.selectedFiles().first();
    ExportTo(std::move(map), path, format->Driver, encoding, source);
    return path;
}

void TExportCommand::ExportTo(std::shared_ptr<const TKDKObject> map, const QString& path, const QString& driver,
                              TExportEncoding encoding, const QString& source) {
    if (Busy() || !map) return;
    TExportOptions options;
    options.Destination = path.toStdString();
    options.Format = driver.toStdString();
    options.Encoding = encoding;
    options.Overwrite = true;
    options.SourceName = source.toStdString();
    written_ = 0;
    total_ = 0;
    stopped_ = false;

    // Shown at once: from the first moment the window's commands are out of reach.
    progress_ = new QProgressDialog("エクスポート中", "中止", 0, 1000, window_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    connect(progress_, &QProgressDialog::canceled, this, [this] { Stop(); });

    job_.Start([this, map = std::move(map), options](std::stop_token stop) -> TBackgroundJob::Finish {
        TExportSummary summary;
        std::exception_ptr failure;
        try {
            summary = ExportMap(*map, options, [this, &stop](int64_t written, int64_t total) {
                written_ = written;
                total_ = total;
                return !stop.stop_requested();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        return [this, summary, failure] { finish(summary, failure); };
    });
    poller_->start();
    progress_->show();
}

void TExportCommand::Stop() {
    if (!Running()) return;
    stopped_ = true;
    job_.Stop();
    closeProgress();
    if (events_.Stopped) events_.Stopped();
}

void TExportCommand::showProgress() {
    const int64_t total = total_;
    if (progress_ && total > 0) progress_->setValue(static_cast<int>(written_ * 1000 / total));
}

void TExportCommand::closeProgress() {
    poller_->stop();
    if (!progress_) return;
    progress_->disconnect(this);  // hiding it cancels it once more
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
}

void TExportCommand::finish(const TExportSummary& summary, std::exception_ptr failure) {
    closeProgress();
    if (events_.Finished) events_.Finished(summary, failure);
}
