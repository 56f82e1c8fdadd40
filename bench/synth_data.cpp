#include "synth_data.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "reading/map_loading.h"

const std::string& SynthFolder(long vertices) {
    static std::map<long, std::string> folders;
    auto it = folders.find(vertices);
    if (it != folders.end()) return it->second;
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("orvelle-bench-" + std::to_string(vertices));
    fs::remove_all(dir);
    std::string command = std::string(ORVELLE_SYNTH) + " --out '" + dir.string() +
                          "' --cols 2 --rows 2 --seed 7 --target-vertices " + std::to_string(vertices) +
                          " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("orvelle-synth failed");
    return folders.emplace(vertices, dir.string()).first->second;
}

std::unique_ptr<TKDKObject> LoadSynth(long vertices) { return LoadFolder(SynthFolder(vertices)); }

std::unique_ptr<TKDKObject> LoadFolder(const std::string& folder) {
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, folder, errors);
    return map;
}
