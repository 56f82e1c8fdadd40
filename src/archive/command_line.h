#pragma once
// The archiver's command line: a command letter, switches, the archive, an
// optional base folder and the names to act on, e.g.
//   E -+ -x1 -jyco -r2 -jf0 -n1 "C:\data\13101.lzh" "C:\cache\13101\" ""
// Blanks separate the parts; double quotes group text with blanks (there is
// no escape character). A part beginning with '-' is a switch. After the
// archive, a part ending with '\' or '/' is the base folder; the rest are
// name patterns.
#include <string>
#include <string_view>
#include <vector>

namespace archive {

struct ArchiverCommand {
    char letter = 0;             // the command letter in upper case
    bool withFolders = false;    // -x or -x1: keep the stored folder paths
    std::string archive;         // Shift-JIS, as written
    std::string baseFolder;      // Shift-JIS, as written; empty when none was given
    std::vector<std::string> patterns;
};

// Reads `line` into `command`. False, with a one-line reason in `error`, when
// the command letter or the archive is missing or a quote is left open.
// Switches other than -x are accepted and ignored.
bool ParseCommandLine(std::string_view line, ArchiverCommand& command, std::string& error);

}  // namespace archive
