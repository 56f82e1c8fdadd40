// orvelle-cli: the scriptable front end of the map logic.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "base/exception.h"
#include "base/sjis.h"
#include "command.h"
#include "command_help.h"
#include "version/version.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "Usage: orvelle-cli COMMAND [ARGUMENT...]\nRun 'orvelle-cli --help' for the commands.\n";
        return cli::kExitUsage;
    }
    const std::string name = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (name == "--version" && args.empty()) {
        std::cout << "orvelle-cli " << OrvelleVersionText() << "\n";
        return cli::kExitOk;
    }
    if ((name == "--help" || name == "-h") && args.empty()) {
        cli::printOverview(std::cout);
        return cli::kExitOk;
    }
    if (name == "--bash-completion" && args.empty()) {
        cli::writeBashCompletion(std::cout);
        return cli::kExitOk;
    }
    if (name == "--manpage" && args.empty()) {
        cli::writeManPage(std::cout);
        return cli::kExitOk;
    }
    if (name == "help") {
        if (args.empty()) {
            cli::printOverview(std::cout);
            return cli::kExitOk;
        }
        const cli::CommandHelp* help = args.size() == 1 ? cli::helpOf(args[0]) : nullptr;
        if (!help) {
            std::cerr << "orvelle-cli help: " << (args.size() == 1 ? "unknown command '" + cli::echoed(args[0]) + "'"
                                                                   : std::string("takes one COMMAND"))
                      << "\n";
            return cli::kExitUsage;
        }
        cli::printCommandHelp(std::cout, *help);
        return cli::kExitOk;
    }
    for (const cli::Command& c : cli::commands()) {
        if (name != c.name) continue;
        // "orvelle-cli COMMAND --help"; later in the line, --help may be a TEXT.
        if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
            if (const cli::CommandHelp* help = cli::helpOf(name)) {
                cli::printCommandHelp(std::cout, *help);
                return cli::kExitOk;
            }
        }
        try {
            return c.run(args);
        } catch (const std::exception& e) {
            std::cerr << "orvelle-cli " << name << ": " << ExceptionText(e) << "\n";
            return cli::kExitFailed;
        }
    }
    std::cerr << "orvelle-cli: unknown " << (name.size() > 1 && name[0] == '-' ? "option '" : "command '")
              << cli::echoed(name) << "'\nRun 'orvelle-cli --help' for the commands.\n";
    return cli::kExitUsage;
}
