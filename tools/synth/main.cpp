// orvelle-synth: writes a synthetic municipality of 1:2500 map data.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "options.h"
#include "synth.h"
#include "version/version.h"

namespace {

constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;

// The output folder must be new or empty, so that no earlier files are
// mixed with the new set (unless the user says so).
void prepareFolder(const synth::Options& o) {
    namespace fs = std::filesystem;
    if (fs::exists(o.out)) {
        if (!fs::is_directory(o.out)) throw std::runtime_error(o.out.string() + " exists and is not a folder");
        if (!o.force && !fs::is_empty(o.out))
            throw std::runtime_error(o.out.string() + " is not empty (use --force to write into it)");
    }
    fs::create_directories(o.out);
}

}  // namespace

int main(int argc, char** argv) {
    synth::Options options;
    try {
        options = synth::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const synth::UsageError& e) {
        std::cerr << "orvelle-synth: " << e.what() << "\n" << synth::usageText();
        return kExitUsage;
    }
    if (options.help) {
        std::cout << synth::usageText();
        return kExitOk;
    }
    if (options.version) {
        std::cout << "orvelle-synth " << OrvelleVersionText() << "\n";
        return kExitOk;
    }
    try {
        prepareFolder(options);
        if (options.targetVertices)
            options.params.blocksPerSide = synth::blocksForTarget(options.params, *options.targetVertices);
        const synth::Summary s = synth::generate(options.params, options.out);
        std::cout << "orvelle-synth: " << synth::summaryLine(s) << " (" << options.params.cols << "x"
                  << options.params.rows << " sheets, " << options.params.blocksPerSide << " blocks per side, seed "
                  << options.params.seed << ") in " << options.out.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "orvelle-synth: " << e.what() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}
