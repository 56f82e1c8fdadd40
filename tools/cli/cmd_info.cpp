#include "command.h"

namespace cli {
int runInfo(const std::vector<std::string>& args) {
    if (args.empty()) return usageError("info", "missing PATH");
    return kExitFailed;  // reading arrives with the map reading subsystem
}
}  // namespace cli
