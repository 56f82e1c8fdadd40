#include "data_loading.h"

#include <exception>
#include <iostream>

#include "base/sjis.h"
#include "command.h"
#include "reading/map_loading.h"

namespace cli {

LoadedData loadData(const std::string& path) {
    LoadedData data;
    try {
        LoadDataPath(data.map, path, data.errors);
    } catch (const std::exception& e) {
        data.fatal = e.what();
    }
    return data;
}

int reportFatal(const std::string& command, const LoadedData& data) {
    if (!data.fatal) return kExitOk;
    std::cerr << "orvelle-cli " << command << ": " << sjis::toUtf8(*data.fatal) << "\n";
    return kExitFailed;
}

}  // namespace cli
