// orvelle-cli: the scriptable front end of the map logic.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"

namespace {

void printHelp(std::ostream& out) {
    out << "usage: orvelle-cli COMMAND [ARGS...]\ncommands:\n";
    for (const cli::Command& c : cli::commands()) out << "  " << c.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(std::cerr);
        return cli::kExitUsage;
    }
    std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        printHelp(std::cout);
        return cli::kExitOk;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const cli::Command& c : cli::commands()) {
        if (name == c.name) {
            try {
                return c.run(args);
            } catch (const std::exception& e) {
                std::cerr << "orvelle-cli " << name << ": " << sjis::toUtf8(e.what()) << "\n";
                return cli::kExitFailed;
            }
        }
    }
    std::cerr << "orvelle-cli: unknown command '" << cli::echoed(name) << "'\n";
    printHelp(std::cerr);
    return cli::kExitUsage;
}
