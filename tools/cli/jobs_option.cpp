#include "jobs_option.h"

#include "arguments.h"
#include "reading/mesh_reader.h"

namespace cli {
namespace {

int jobs = 0;

}  // namespace

std::optional<std::string> takeJobsOption(std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size() && args[i] != "--";) {
        if (args[i] != kJobsOption) {
            ++i;
            continue;
        }
        if (i + 1 == args.size()) return std::string(kJobsOption) + " needs a number";
        int n = 0;
        if (!parseInt(args[i + 1], n) || n < 1 || n > kMaxReadingJobs)
            return std::string(kJobsOption) + " is a number from 1 to " + std::to_string(kMaxReadingJobs) + ", not '" +
                   echoed(args[i + 1]) + "'";
        jobs = n;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return std::nullopt;
}

int readingJobs() { return jobs; }

}  // namespace cli
