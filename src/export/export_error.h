#pragma once
// The one failure of an export: a message made in UTF-8, GDAL's own text where GDAL
// failed, and the parts a caller needs to word it in its own language. No
// part ever holds a password: connection strings are shown without theirs.
#include <cstdint>
#include <string>

#include "base/exception.h"

// What kind of failure stopped the export.
enum class TExportFailure : uint8_t { Failed, NothingToExport, DestinationExists, CannotWrite, Cancelled };

class EExportError : public Exception {
public:
    // `message` is the full English text (UTF-8), Utf8Text() as it is.
    explicit EExportError(const std::string& message, TExportFailure failure = TExportFailure::Failed,
                          std::string subject = {}, std::string detail = {});

    TExportFailure Failure() const { return failure_; }
    // The file, layer or table concerned (UTF-8); may be empty.
    const std::string& Subject() const { return subject_; }
    // The system's or GDAL's reason (UTF-8); may be empty.
    const std::string& Detail() const { return detail_; }

private:
    TExportFailure failure_;
    std::string subject_;
    std::string detail_;
};

// `fallback` followed by GDAL's message: the first failure an export's
// collector (gdal_errors.h) saw, else the last error of this thread, if any.
std::string GdalMessageOr(const std::string& fallback);
