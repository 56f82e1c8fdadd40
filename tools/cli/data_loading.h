#pragma once
// Loads the PATH argument of a command into one map as the viewer does,
// keeping what was read when an error ends the loading.
#include <memory>
#include <optional>
#include <string>

#include "map/kdk_object.h"

namespace cli {

struct LoadedData {
    std::unique_ptr<TKDKObject> map;  // null when nothing could be read
    TErrorList errors;                // Shift-JIS lines
    std::optional<std::string> fatal; // UTF-8 message of the error that ended the loading
};

LoadedData loadData(const std::string& path);
// The folder or file to read for PATH: an archive is extracted into the
// cache first; none, with `failure` set (UTF-8), when that failed.
std::optional<std::string> dataTarget(const std::string& path, std::string& failure);
// Loads a folder or description file (dataTarget's) with `readers` threads.
LoadedData loadTarget(const std::string& target, int readers);

// Loads PATH for drawing or for a query at a world point, which the viewer
// answers after drawing (the polygons in drawing order). False, with the
// message printed, when nothing could be read.
bool loadForMapUse(const std::string& command, const std::string& path, LoadedData& data);

// Prints the fatal message (UTF-8) on stderr; returns the command's exit status.
int reportFatal(const std::string& command, const LoadedData& data);

}  // namespace cli
