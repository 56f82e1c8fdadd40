#include "export/export_error.h"

#include <cpl_error.h>

std::string GdalMessageOr(const std::string& fallback) {
    const char* message = CPLGetLastErrorMsg();
    if (message && *message) return fallback + ": " + message;
    return fallback;
}
