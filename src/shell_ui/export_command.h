#pragma once
// The viewer's export: a save dialog offering the GIS file formats, then
// ExportMap on a worker thread behind a window-modal progress dialog, shown
// at once, whose "中止" button stops it. The worker holds its own reference
// to the map, so closing the data cannot pull the map from under it; the
// dialog keeps the window's commands out of reach while the export runs.
// A stopped export lets the window go on at once; its worker removes what
// it had written before it ends.
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

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
    bool TakesEncoding;  // the encoding is asked for (UTF-8 or Shift_JIS)
};
// GeoPackage first (the default), then GeoJSON, Shapefile, FlatGeobuf, KML,
// DXF, CSV and MapInfo.
const std::vector<TExportFormat>& ExportFormats();
// The choices of the encoding dialog, in order: UTF-8 (the default), Shift_JIS.
const QStringList& ExportEncodingChoices();

class TExportCommand : public QObject {
public:
    // What the window hears, on its own thread.
    struct Events {
        // An export's worker has ended: the summary of a finished or
        // cancelled export, or the failure.
        std::function<void(const TExportSummary&, std::exception_ptr)> Finished;
        // The user stopped the export (at once, before its worker ends).
        std::function<void()> Stopped;
        // No worker is left running.
        TBackgroundJob::Ended Ended;
    };

    TExportCommand(QWidget* window, Events events);
    ~TExportCommand() override;  // stops a running export and waits for it

    // Asks for a file name (starting from `suggested`) and, for a format that
    // takes one, the encoding ("文字コード"), and exports `map` to it; returns
    // the chosen file, empty when a dialog was cancelled. `source` names the
    // data every feature came from (its `source` field).
    QString Execute(std::shared_ptr<const TKDKObject> map, const QString& suggested, const QString& source = {});
    // Exports `map` to `path` in the driver's format, replacing what is there.
    void ExportTo(std::shared_ptr<const TKDKObject> map, const QString& path, const QString& driver,
                  TExportEncoding encoding = TExportEncoding::UTF8, const QString& source = {});
    // Stops the running export as "中止" does.
    void Stop();
    // Waits until the worker has ended (at shutdown, after Stop).
    void Wait() { job_.Wait(); }
    // True from the start of an export until it ends or is stopped.
    bool Running() const { return job_.Running() && !stopped_; }
    // True while a worker, also a stopped one, has not ended.
    bool Busy() const { return job_.Busy(); }
    // True when the last export was stopped by the user.
    bool WasStopped() const { return stopped_; }

private:
    void showProgress();
    void closeProgress();
    void finish(const TExportSummary& summary, std::exception_ptr failure);

    QWidget* window_;
    Events events_;
    std::atomic<int64_t> written_{0}, total_{0};
    bool stopped_ = false;
    QProgressDialog* progress_ = nullptr;
    QTimer* poller_ = nullptr;  // moves the progress bar while the export runs
    TBackgroundJob job_;        // last: waited for before the rest goes
};
