#include "data_loading.h"

#include <exception>
#include <iostream>

#include "archive/unlha_component.h"
#include "arguments.h"
#include "base/exception.h"
#include "base/sjis.h"
#include "command.h"
#include "jobs_option.h"
#include "reading/map_loading.h"
#include "shell/archive_opening.h"
#include "shell/cache_folder.h"

namespace cli {
namespace {

// Extracts an archive into its folder of the cache as the open command does;
// the folder to load, or a failure message (UTF-8) with the archiver's lines.
std::optional<std::string> extractArchive(const std::string& archiveUtf8, std::string& failure) {
    TUnlha unlha;
    std::vector<std::string> output;
    unlha.OutputLines = &output;
    ArchiveExtraction e = ExtractForOpening(unlha, sjis::fromUtf8(archiveUtf8), CacheFolder());
    if (e.ok()) return sjis::toUtf8(e.folder);
    failure = echoed(archiveUtf8) + ": extraction failed (" + std::to_string(e.result) + ")";
    for (const std::string& line : output) failure += "\n" + sjis::toUtf8(line);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> dataTarget(const std::string& path, std::string& failure) {
    if (!IsArchivePath(path)) return path;
    return extractArchive(path, failure);
}

LoadedData loadTarget(const std::string& target, int readers) {
    LoadedData data;
    try {
        LoadDataPath(data.map, target, data.errors, readers);
    } catch (const std::exception& e) {
        data.fatal = ExceptionText(e);
    }
    return data;
}

LoadedData loadData(const std::string& path) {
    std::string failure;
    std::optional<std::string> target;
    try {
        target = dataTarget(path, failure);
    } catch (const std::exception& e) {
        failure = ExceptionText(e);
    }
    if (!target) {
        LoadedData data;
        data.fatal = failure;
        return data;
    }
    return loadTarget(*target, readingJobs());
}

bool loadForMapUse(const std::string& command, const std::string& path, LoadedData& data) {
    data = loadData(path);
    if (!data.map) {
        if (data.fatal)
            reportFatal(command, data);
        else
            std::cerr << "orvelle-cli " << command << ": no mesh description file in " << echoed(path) << "\n";
        return false;
    }
    return true;
}

int reportFatal(const std::string& command, const LoadedData& data) {
    if (!data.fatal) return kExitOk;
    std::cerr << "orvelle-cli " << command << ": " << *data.fatal << "\n";
    return kExitFailed;
}

}  // namespace cli
