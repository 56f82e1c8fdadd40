// The version and the help of the three programs: what --version says, that
// every command and option of orvelle-cli is described, that every example
// works, and that the manual page orvelle-cli(1) renders cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::RunProgram;
using testsupport::ShellQuoted;

namespace {

// Runs a program with no display and no Qt platform chosen, as a shell in a
// terminal without X would.
testsupport::CliResult runWithoutDisplay(const std::string& program, const std::string& arguments) {
    return RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ShellQuoted(program), arguments);
}

testsupport::CliResult cli(const std::string& arguments) { return RunProgram(ShellQuoted(ORVELLE_CLI), arguments); }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of a section of a help text: those after "TITLE:" up to the
// first empty line.
std::vector<std::string> section(const std::string& text, const std::string& title) {
    std::vector<std::string> out;
    bool inside = false;
    for (const std::string& line : linesOf(text)) {
        if (inside && line.empty()) break;
        if (inside) out.push_back(line);
        if (line == title + ":") inside = true;
    }
    return out;
}

// Command name -> summary, from the list of orvelle-cli --help.
std::map<std::string, std::string> listedCommands() {
    std::map<std::string, std::string> commands;
    const std::regex row(R"(^  ([a-z]+)( +(.*))?$)");
    std::smatch m;
    for (const std::string& line : section(cli("--help").out, "Commands"))
        if (std::regex_match(line, m, row)) commands[m[1]] = m[3];
    return commands;
}

// The options a text names: "-o", "--size" ...
std::set<std::string> optionsNamed(const std::string& text) {
    std::set<std::string> found;
    const std::regex option(R"((^|[\s\[(|])(--?[a-z][a-z-]*))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

}  // namespace

TEST(Version, EachProgramSaysTheProjectVersionWithoutADisplay) {
    const std::regex versionLine(R"(^(orvelle|orvelle-cli|orvelle-synth) ([0-9.]+)( \(git [0-9a-f]{7,40}(-dirty)?\))?\n$)");
    for (const auto& [name, program] : {std::pair{"orvelle", ORVELLE_VIEWER}, std::pair{"orvelle-cli", ORVELLE_CLI},
                                        std::pair{"orvelle-synth", ORVELLE_SYNTH}}) {
        const auto run = runWithoutDisplay(program, "--version");
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        std::smatch m;
        ASSERT_TRUE(std::regex_match(run.out, m, versionLine)) << run.out;
        EXPECT_EQ(m[1], name);
        EXPECT_EQ(m[2], ORVELLE_VERSION);
    }
}

TEST(ViewerHelp, NeedsNoDisplayAndNamesOptionsExitStatusAndExamples) {
    const auto run = runWithoutDisplay(ORVELLE_VIEWER, "--help");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Usage: ", 0), 0u) << run.out;
    for (const char* part : {"--version", "--help", "[PATH...]", "Exit status:", "Environment:", "Files:", "Examples:"})
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    // A bad option is refused once Qt has taken its own (-platform ...).
    EXPECT_EQ(RunProgram("env QT_QPA_PLATFORM=offscreen " + ShellQuoted(ORVELLE_VIEWER), "--no-such-option").status, 2);
}

TEST(CliHelp, ListsEveryCommandWithASummaryAndItsOwnHelp) {
    const auto commands = listedCommands();
    for (const char* name : {"info", "regex", "search", "pick", "address", "render", "coords", "extract", "export",
                             "print", "route", "locate"})
        EXPECT_TRUE(commands.count(name)) << name << " is not listed";
    for (const auto& [name, summary] : commands) {
        EXPECT_FALSE(summary.empty()) << name << " has no summary";
        const auto help = cli("help " + name);
        ASSERT_EQ(help.status, 0) << name << ": " << help.err;
        EXPECT_EQ(help.out.rfind("Usage: orvelle-cli " + name, 0), 0u) << help.out;
        EXPECT_EQ(cli(name + " --help").out, help.out) << name;
    }
    EXPECT_EQ(cli("help nosuchcommand").status, 2);
}

TEST(CliHelp, DescribesExactlyTheOptionsOfEachUsageLine) {
    for (const auto& [name, summary] : listedCommands()) {
        const std::string help = cli("help " + name).out;
        const std::string usage = linesOf(help).at(0);
        std::set<std::string> described;
        for (const std::string& line : section(help, "Options"))
            if (line.rfind("  -", 0) == 0) described.insert(line.substr(2, line.find(' ', 2) - 2));
        EXPECT_EQ(described, optionsNamed(usage)) << name << "\n" << help;
    }
}

TEST(CliHelp, EveryExampleRuns) {
    testsupport::TempDir dir;
    // extract's example names a municipality archive; make one from the sample.
    fs::copy(ORVELLE_SAMPLE, dir.path() / "sample", fs::copy_options::recursive);
    testsupport::MakeArchiveWithJlha(dir.path() / "sample", dir.path() / "13101.lzh", "",
                                     {"53394506", "53394508"});
    int examples = 0;
    for (const auto& [name, summary] : listedCommands()) {
        const std::vector<std::string> example = section(cli("help " + name).out, "Example");
        ASSERT_GE(example.size(), 2u) << name;
        std::string line = example[0];
        ASSERT_EQ(line.rfind("  orvelle-cli " + name + " ", 0), 0u) << line;
        line = line.substr(std::string("  orvelle-cli").size());
        for (size_t at; (at = line.find("/usr/share/orvelle/sample")) != std::string::npos;)
            line.replace(at, std::string("/usr/share/orvelle/sample").size(), ShellQuoted(ORVELLE_SAMPLE));
        const auto entries = [&dir] {
            return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
        };
        const auto before = entries();
        const auto run = RunProgram("cd " + ShellQuoted(dir.path().string()) + " && " + ShellQuoted(ORVELLE_CLI), line);
        EXPECT_EQ(run.status, 0) << name << line << "\n" << run.err;
        // Something to see: an answer, or a file written (render, print).
        EXPECT_TRUE(!run.out.empty() || entries() > before) << name;
        ++examples;
    }
    EXPECT_GE(examples, 12);
}

TEST(CliManualPage, RendersWithoutWarningsAndHasEveryCommand) {
    testsupport::TempDir dir;
    const fs::path page = dir.path() / "orvelle-cli.1";
    ASSERT_EQ(cli("--manpage > " + ShellQuoted(page.string())).status, 0);
    const std::string roff = testsupport::ReadBytes(page);
    EXPECT_NE(roff.find("\"Orvelle " ORVELLE_VERSION "\""), std::string::npos);
    for (const char* heading : {".SH SYNOPSIS", ".SH DESCRIPTION", ".SH COMMANDS", ".SH OPTIONS", ".SH EXIT STATUS",
                                ".SH ENVIRONMENT", ".SH FILES", ".SH EXAMPLES", ".SH SEE ALSO"})
        EXPECT_NE(roff.find(std::string("\n") + heading + "\n"), std::string::npos) << heading;
    for (const auto& [name, summary] : listedCommands())
        EXPECT_NE(roff.find("\n.SS " + name + "\n"), std::string::npos) << name;
    // man's own check, as lintian runs it: groff warnings go to standard error.
    const auto shown = RunProgram("env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l",
                                  ShellQuoted(page.string()));
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err, "");
    EXPECT_NE(shown.out.find("EXIT STATUS"), std::string::npos);
}
