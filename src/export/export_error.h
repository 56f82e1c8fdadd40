#pragma once
// The one failure of an export: a UTF-8 message, GDAL's own text where GDAL failed.
#include <stdexcept>
#include <string>

class EExportError : public std::runtime_error {
public:
    explicit EExportError(const std::string& message) : std::runtime_error(message) {}
};

// `fallback` followed by GDAL's last error message of this thread, if any.
std::string GdalMessageOr(const std::string& fallback);
