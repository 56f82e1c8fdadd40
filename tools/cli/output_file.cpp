#include "output_file.h"

#include "arguments.h"
#include "command.h"

namespace cli {

int cannotWrite(const std::string& command, const std::string& path, const std::string& reason) {
    return failure(command, "cannot write " + echoed(path) + ": " + reason);
}

int writeOutputFile(const std::string& command, const std::string& path, std::string_view content) {
    if (const std::error_code e = WriteFileAtomically(path, content, kOutputExisting))
        return cannotWrite(command, path, e.message());
    return kExitOk;
}

}  // namespace cli
