#pragma once
// GDAL's errors during an export, collected on this thread instead of being
// printed: a writer that reports a failure only through CPLError (on write,
// flush or close) still fails the export.
#include <string>

#include <cpl_error.h>

#include "export/export_error.h"

class TGdalErrors {
public:
    TGdalErrors();   // installs the collector for this thread
    ~TGdalErrors();  // puts the previous handler back
    TGdalErrors(const TGdalErrors&) = delete;
    TGdalErrors& operator=(const TGdalErrors&) = delete;

    bool Failed() const { return failed_; }
    // The first failure since the last Clear; empty when none.
    const std::string& FirstFailure() const { return firstFailure_; }
    // Messages name `written` (a staging folder) as `shown` from now on.
    void ShowPathAs(std::string written, std::string shown);
    // Forgets what was collected.
    void Clear();
    // Throws EExportError "`what`: GDAL's first failure message" when GDAL
    // reported a failure since the last Clear; `subject` names what was written.
    void ThrowIfFailed(const std::string& what, TExportFailure failure, const std::string& subject);

private:
    static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, const char* message);

    TGdalErrors* previous_;
    std::string writtenPath_, shownPath_;
    bool failed_ = false;
    std::string firstFailure_;
};

// EExportError "`what`: GDAL's message" (GdalMessageOr) with that message as the detail.
EExportError GdalFailure(const std::string& what, TExportFailure failure, const std::string& subject);
