#pragma once
// The sub-commands of orvelle-cli. Each lives in its own cmd_*.cpp and is
// listed once in commands.cpp.
#include <string>
#include <vector>

namespace cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // loading or the command failed
inline constexpr int kExitUsage = 2;    // bad arguments

struct Command {
    const char* name;
    const char* usage;  // one line, shown by "orvelle-cli help"
    int (*run)(const std::vector<std::string>& args);  // args after the command name
};

const std::vector<Command>& commands();
// The command's usage line, with the options every loading command takes.
std::string UsageLine(const Command& command);

// Prints "orvelle-cli COMMAND: MESSAGE" and the command's usage to stderr; returns kExitUsage.
int usageError(const std::string& command, const std::string& message);
// Prints "orvelle-cli COMMAND: MESSAGE" to stderr; returns kExitFailed.
int failure(const std::string& command, const std::string& message);

}  // namespace cli
