#pragma once
// The command line of orvelle-synth.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "town_plan.h"

namespace synth {

struct Options {
    std::filesystem::path out;
    PlanParams params;
    std::optional<std::uint64_t> targetVertices;  // chooses blocksPerSide when given
    bool force = false;                           // write into a folder that is not empty
    bool help = false;
    bool version = false;
};

// A command line that cannot be used; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options parseOptions(const std::vector<std::string>& args);
std::string usageText();

}  // namespace synth
