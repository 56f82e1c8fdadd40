#include "options.h"

#include <charconv>

#include "synth.h"

namespace synth {
namespace {

constexpr int kMaxSheets = 100;                      // per direction
constexpr std::uint64_t kMaxTarget = 2'000'000'000;  // vertices

std::uint64_t number(const std::string& option, const std::string& text, std::uint64_t lo, std::uint64_t hi) {
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        throw UsageError(option + " needs a whole number, not '" + text + "'");
    if (v < lo || v > hi)
        throw UsageError(option + " must be between " + std::to_string(lo) + " and " + std::to_string(hi));
    return v;
}

}  // namespace

std::string usageText() {
    // One line: help2man reads only "or:" lines as more of the synopsis.
    return "Usage: orvelle-synth --out DIR [--cols N] [--rows M] [--seed S] "
           "[--blocks-per-side K | --target-vertices V] [--force]\n"
           "  or:  orvelle-synth --help | --version\n"
           "Writes a plausible synthetic municipality of 1:2500 map data (GSI's 数値地図2500\n"
           "format): N x M meshes of 2 km x 1.5 km in plane rectangular system IX (JGD2000),\n"
           "with administrative areas, roads, railways, water, grounds, buildings and control\n"
           "points. The same options write the same bytes.\n"
           "\n"
           "Options:\n"
           "  --out DIR             folder to write the meshes into (created; must be empty\n"
           "                        unless --force)\n"
           "  --cols N, --rows M    sheets from west to east and from south to north (1-100;\n"
           "                        default 2 x 1)\n"
           "  --seed S              seed of the layout and names (default 1)\n"
           "  --blocks-per-side K   road lines across each sheet side (2-250; default 16)\n"
           "  --target-vertices V   choose K so that about V vertices are written\n"
           "  --force               write into a folder that is not empty\n"
           "  -h, --help            show this help\n"
           "  --version             show the version\n"
           "\n"
           "Exit status:\n"
           "  0  the meshes were written\n"
           "  1  writing failed\n"
           "  2  bad arguments\n"
           "\n"
           "Examples:\n"
           "  $ orvelle-synth --out /tmp/town --cols 4 --rows 3 --seed 7\n"
           "  $ orvelle-synth --out /tmp/big --cols 10 --rows 10 --target-vertices 2000000\n";
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    bool blocksGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--out") {
            o.out = value();
            if (o.out.empty()) throw UsageError("--out needs a folder");
        } else if (a == "--cols") {
            o.params.cols = static_cast<int>(number(a, value(), 1, kMaxSheets));
        } else if (a == "--rows") {
            o.params.rows = static_cast<int>(number(a, value(), 1, kMaxSheets));
        } else if (a == "--seed") {
            o.params.seed = number(a, value(), 0, UINT64_MAX);
        } else if (a == "--blocks-per-side") {
            o.params.blocksPerSide = static_cast<int>(number(a, value(), 2, kMaxBlocksPerSide));
            blocksGiven = true;
        } else if (a == "--target-vertices") {
            o.targetVertices = number(a, value(), 1, kMaxTarget);
        } else if (a == "--force") {
            o.force = true;
        } else {
            throw UsageError("unknown option '" + a + "'");
        }
    }
    if (o.help || o.version) return o;
    if (o.out.empty()) throw UsageError("--out DIR is required");
    if (blocksGiven && o.targetVertices) throw UsageError("give either --blocks-per-side or --target-vertices, not both");
    return o;
}

}  // namespace synth
