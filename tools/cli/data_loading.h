#pragma once
// Loads the PATH argument of a command into one map as the viewer does,
// keeping what was read when an error ends the loading.
#include <memory>
#include <optional>
#include <string>

#include "reading/kdk_object.h"

namespace cli {

struct LoadedData {
    std::unique_ptr<TKDKObject> map;  // null when nothing could be read
    TErrorList errors;                // Shift-JIS lines
    std::optional<std::string> fatal; // Shift-JIS message of the error that ended the loading
};

LoadedData loadData(const std::string& path);

// Prints the fatal message (UTF-8) on stderr; returns the command's exit status.
int reportFatal(const std::string& command, const LoadedData& data);

}  // namespace cli
