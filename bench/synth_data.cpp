#include "synth_data.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <tuple>

#include "reading/map_loading.h"

const std::string& SynthFolder(long vertices, int cols, int rows) {
    static std::map<std::tuple<long, int, int>, std::string> folders;
    auto it = folders.find({vertices, cols, rows});
    if (it != folders.end()) return it->second;
    namespace fs = std::filesystem;
    const std::string name = "orvelle-bench-" + std::to_string(vertices) +
                             (cols == 2 && rows == 2 ? "" : "-" + std::to_string(cols) + "x" + std::to_string(rows));
    fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    std::string command = std::string(ORVELLE_SYNTH) + " --out '" + dir.string() + "' --cols " +
                          std::to_string(cols) + " --rows " + std::to_string(rows) +
                          " --seed 7 --target-vertices " + std::to_string(vertices) + " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("orvelle-synth failed");
    return folders.emplace(std::make_tuple(vertices, cols, rows), dir.string()).first->second;
}

std::unique_ptr<TKDKObject> LoadSynth(long vertices, int cols, int rows) {
    return LoadFolder(SynthFolder(vertices, cols, rows));
}

std::unique_ptr<TKDKObject> LoadFolder(const std::string& folder) {
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, folder, errors);
    return map;
}

TimedTown& BenchTown(int which) {
    static std::map<int, TimedTown> towns;
    auto it = towns.find(which);
    if (it != towns.end()) return it->second;
    const char* custom = std::getenv("ORVELLE_BENCH_TOWN");
    const std::string folder = which == 1                  ? SynthFolder(10000000, 6, 6)
                               : custom && *custom ? std::string(custom)
                                                   : SynthFolder(2000000);
    TimedTown t;
    for (int reading = 0; reading < 2; ++reading) {
        t.map.reset();
        const auto start = std::chrono::steady_clock::now();
        t.map = LoadFolder(folder);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        t.loadSeconds = reading == 0 ? s : std::min(t.loadSeconds, s);
    }
    std::cerr << "town " << folder << ": " << t.map->Lines().size() << " lines, " << t.map->Polygons().size()
              << " polygons, read in " << t.loadSeconds << " s\n";
    return towns.emplace(which, std::move(t)).first->second;
}
