#pragma once
// The archiver the archive component drives: a command line in, a result
// code and a log out. Extraction is done by the lhasa library, which is
// linked in; nothing is loaded at run time.
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/unlha_codes.h"

// The archiver's version number, the version times 100: lhasa's version
// a.b.c read as a*100 + b*10 + c, so lhasa 0.3.1 gives 31 ("0.31").
uint16_t UnlhaGetVersion();

// Runs a command line (Shift-JIS; see command_line.h). The commands E and X
// extract the archive below the base folder (the current folder when none
// is given): X and E with -x1 keep the stored folders, E without -x puts
// every file straight into the base folder. Paths may use '\' or '/'.
// Appends one line per extracted file and one per problem to `output`;
// returns kUnlhaOk (0) or the code of the first problem (unlha_codes.h).
int Unlha(const std::string& commandLine, std::string& output);

namespace archive {

// a.b.c as a*100 + b*10 + c (missing parts count as 0), at most 65535.
uint16_t VersionNumberOf(std::string_view dottedVersion);

}  // namespace archive
