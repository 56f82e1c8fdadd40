#pragma once
// "--jobs N": how many meshes a loading command reads at once. Every command
// that loads a PATH takes it, anywhere among its options, or before the
// command's name.
#include <optional>
#include <string>
#include <vector>

namespace cli {

inline constexpr const char* kJobsOption = "--jobs";

// Takes every "--jobs N" out of args (up to a "--", after which all words
// are the command's) and keeps N for loadData; the problem when N is missing
// or not a whole number from 1 to 64.
std::optional<std::string> takeJobsOption(std::vector<std::string>& args);

// The readers loadData uses: N of the last --jobs, or 0 (one per core).
int readingJobs();

}  // namespace cli
