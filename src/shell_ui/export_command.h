#pragma once
// The viewer's export: a save dialog offering the GIS file formats, then
// ExportMap on a worker thread behind a window-modal progress dialog whose
// "中止" button cancels. The map is only read; the modal dialog keeps every
// command that could change it out of reach until the export ends.
#include <QObject>
#include <QString>
#include <atomic>
#include <exception>
#include <functional>

#include "export/export_options.h"
#include "map/kdk_object.h"
#include "shell_ui/background_job.h"

class QProgressDialog;
class QTimer;
class QWidget;

// One file format of the save dialog.
struct TExportFormat {
    const char* Filter;  // the dialog's name filter
    const char* Driver;  // the OGR driver's short name
    const char* Suffix;  // appended when the typed name has none
};
// GeoPackage first (the default), then GeoJSON, Shapefile, FlatGeobuf, KML.
const std::vector<TExportFormat>& ExportFormats();

class TExportCommand : public QObject {
public:
    // Called on the window's thread when an export ends: the summary of a
    // finished or cancelled one, or the failure.
    using Finished = std::function<void(const TExportSummary&, std::exception_ptr)>;

    TExportCommand(QWidget* window, Finished finished);
    ~TExportCommand() override;  // cancels a running export and waits for it

    // Asks for a file name (starting from `suggested`) and exports `map` to it.
    void Execute(const TKDKObject& map, const QString& suggested);
    // Exports `map` to `path` in the driver's format, replacing what is there.
    void ExportTo(const TKDKObject& map, const QString& path, const QString& driver);
    bool Running() const { return job_.Running(); }

private:
    void showProgress();
    void finish(const TExportSummary& summary, std::exception_ptr failure);

    QWidget* window_;
    Finished finished_;
    std::atomic<int64_t> written_{0}, total_{0};
    std::atomic<bool> cancel_{false};
    QProgressDialog* progress_ = nullptr;
    QTimer* poller_ = nullptr;  // moves the progress bar while the export runs
    TBackgroundJob job_;        // last: waited for before the rest goes
};
