#include "archive/command_line.h"

#include "archive/sjis_separators.h"

namespace archive {
namespace {

// Splits the line at blanks outside double quotes; the quotes themselves are
// dropped, and "" is an empty part of its own.
bool splitParts(std::string_view line, std::vector<std::string>& parts) {
    std::string part;
    bool inPart = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inPart = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inPart) parts.push_back(part);
            part.clear();
            inPart = false;
        } else {
            part += c;
            inPart = true;
        }
    }
    if (inPart) parts.push_back(part);
    return !quoted;
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool ParseCommandLine(std::string_view line, ArchiverCommand& command, std::string& error) {
    command = ArchiverCommand{};
    std::vector<std::string> parts;
    if (!splitParts(line, parts)) {
        error = "The command line leaves a double quote open.";
        return false;
    }
    if (parts.empty() || parts[0].size() != 1 || !isAsciiLetter(parts[0][0])) {
        error = "The command line does not begin with a command letter.";
        return false;
    }
    char letter = parts[0][0];
    command.letter = letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter;

    size_t positional = 0;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (!part.empty() && part[0] == '-') {
            if (part == "-x" || part == "-x1") command.withFolders = true;
            if (part == "-x0") command.withFolders = false;
            continue;
        }
        if (positional == 0)
            command.archive = part;
        else if (positional == 1 && EndsWithSeparator(part))
            command.baseFolder = part;
        else
            command.patterns.push_back(part);
        ++positional;
    }
    if (command.archive.empty()) {
        error = "The command line names no archive.";
        return false;
    }
    return true;
}

}  // namespace archive
