#include "support/cli_run.h"

#include <sys/wait.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace testsupport {

CliResult RunProgram(const std::string& program, const std::string& arguments) {
    CliResult r;
    char errPath[] = "/tmp/orvelle-cli-err-XXXXXX";
    const int errFd = ::mkstemp(errPath);
    if (errFd < 0) return r;
    ::close(errFd);
    const std::string command = program + " " + arguments + " 2>" + ShellQuoted(errPath);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) r.out.append(buffer, n);
        const int status = ::pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ostringstream err;
        err << std::ifstream(errPath).rdbuf();
        r.err = err.str();
    }
    ::unlink(errPath);
    return r;
}

std::string ShellQuoted(const std::string& path) {
    std::string q = "'";
    for (char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace testsupport
