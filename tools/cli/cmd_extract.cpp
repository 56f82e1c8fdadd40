#include <iostream>

#include "archive/unlha_component.h"
#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "shell/archive_opening.h"

namespace cli {
// Extracts ARCHIVE below DEST with the open command's switches; prints the
// command line and the result code.
int runExtract(const std::vector<std::string>& args) {
    if (args.size() != 2) return usageError("extract", args.size() < 2 ? "missing ARCHIVE or DEST" : "too many arguments");
    std::string archive, dest;
    for (const auto& [utf8, text] : {std::pair{&args[0], &archive}, std::pair{&args[1], &dest}}) {
        if (!sjis::tryFromUtf8(*utf8, *text) || sjis::toUtf8(*text) != *utf8) {
            std::cerr << "orvelle-cli extract: the path " << echoed(*utf8) << " cannot be written in Shift-JIS\n";
            return kExitFailed;
        }
    }
    TUnlha unlha;
    std::vector<std::string> output;
    unlha.OutputLines = &output;
    SetUpExtraction(unlha, archive, dest);
    std::cout << sjis::toUtf8(unlha.BuildCommandLine()) << "\n";
    int result = unlha.Execute();
    std::cout << result << "\n";
    if (result == 0) return kExitOk;
    for (const std::string& line : output) std::cerr << "orvelle-cli extract: " << sjis::toUtf8(line) << "\n";
    return kExitFailed;
}
}  // namespace cli
