#pragma once
// Runs orvelle-cli as a program and collects its standard output and exit status.
#include <string>

namespace testsupport {

struct CliResult {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// `program` and `arguments` are passed to the shell as they are; standard
// error is discarded.
CliResult RunProgram(const std::string& program, const std::string& arguments);

// The path quoted for the shell.
std::string ShellQuoted(const std::string& path);

}  // namespace testsupport
