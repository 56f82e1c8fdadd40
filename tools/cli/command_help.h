#pragma once
// What orvelle-cli says about itself: each command's description, options and
// example. --help, "help COMMAND", the manual page orvelle-cli(1) and the bash
// completion script are all written from this one table, so none of them can
// drift from the others. A command's synopsis is its usage line in
// commands.cpp; every option named there has its entry here (a test checks).
#include <ostream>
#include <string_view>
#include <vector>

namespace cli {

// How the bash completion completes an option's value or an argument.
enum class Completion {
    None,          // something to type: a number, a text, a pattern
    Path,          // a mesh description file, a folder of meshes or an .lzh archive
    File,          // a file; `words` may name its extensions: "png|svg"
    Folder,        // a folder
    Words,         // one of `words`
    WordList,      // a comma-separated list of `words`
    CoordsFormat,  // a coordinate system: a table name or EPSG:n
    VectorDriver,  // an OGR vector driver that can write
};

struct OptionHelp {
    std::string_view option;  // "--size", "-o"
    std::string_view value;   // "WxH"; empty for a switch
    std::string_view text;    // what it does, one sentence or two
    Completion completion = Completion::None;
    std::string_view words = {};  // for Words and WordList, space-separated; File's extensions
};

struct ArgumentHelp {
    Completion completion = Completion::None;
    std::string_view words = {};  // as OptionHelp's
};

struct CommandHelp {
    std::string_view name;
    std::string_view summary;      // a short line for the command list
    std::string_view description;  // paragraphs separated by "\n\n"
    std::vector<OptionHelp> options;
    // The positional arguments in order; the last one repeats when
    // `lastRepeats` (regex's TEXT...).
    std::vector<ArgumentHelp> arguments;
    bool lastRepeats = false;
    std::string_view example;      // a command line
    std::string_view exampleText;  // what it does
};

// Every command's help, in the order of commands().
const std::vector<CommandHelp>& commandHelp();
// The help of the command `name`; nullptr for none.
const CommandHelp* helpOf(std::string_view name);
// True for a command that loads a PATH (and so takes --jobs).
bool TakesPath(const CommandHelp& help);
bool LoadsData(std::string_view command);

// orvelle-cli --help: usage, the command list, options, exit status,
// environment, files and examples.
void printOverview(std::ostream& out);
// orvelle-cli help COMMAND: its usage, description, options and example.
void printCommandHelp(std::ostream& out, const CommandHelp& help);
// orvelle-cli --manpage: the manual page in roff. The date is
// $SOURCE_DATE_EPOCH's month when set (reproducible builds), else today's.
void writeManPage(std::ostream& out);
// orvelle-cli --bash-completion: the completion script for bash-completion,
// with the coordinate systems and GDAL's vector drivers of this build.
void writeBashCompletion(std::ostream& out);

}  // namespace cli
