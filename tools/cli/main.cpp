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
#include "jobs_option.h"
#include "version/version.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "Usage: orvelle-cli COMMAND [ARGUMENT...]\nRun 'orvelle-cli --help' for the commands.\n";
        return cli::kExitUsage;
    }
    std::vector<std::string> words(argv + 1, argv + argc);
    // "orvelle-cli --jobs N COMMAND ..." as well as "COMMAND ... --jobs N".
    std::vector<std::string> leading;
    while (words.size() > 2 && words[0] == cli::kJobsOption) {
        leading.insert(leading.end(), words.begin(), words.begin() + 2);
        words.erase(words.begin(), words.begin() + 2);
    }
    const std::string name = words[0];
    std::vector<std::string> args(words.begin() + 1, words.end());
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
        if (cli::LoadsData(name)) {
            args.insert(args.begin(), leading.begin(), leading.end());
            if (auto problem = cli::takeJobsOption(args)) return cli::usageError(name, *problem);
        } else if (!leading.empty()) {
            return cli::usageError(name, std::string(cli::kJobsOption) + " is an option of the commands that load a PATH");
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
