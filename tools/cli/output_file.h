#pragma once
// The one file that print, render and route --geojson write. It is written
// beside OUT and renamed into place when complete, so OUT holds the old or
// the whole new file. An existing file at OUT is replaced, as these commands
// always did; a symbolic link at OUT is replaced by the file (its target stays
// as it is); a folder at OUT, or an existing file the user may not write, is
// refused with the system's reason and left as it was.
#include <string>
#include <string_view>

#include "base/atomic_file.h"

namespace cli {

inline constexpr ExistingFile kOutputExisting = ExistingFile::Replace;

// Prints "orvelle-cli COMMAND: cannot write PATH: REASON"; returns kExitFailed.
int cannotWrite(const std::string& command, const std::string& path, const std::string& reason);

// Writes the whole content to PATH; the exit status (a message printed on failure).
int writeOutputFile(const std::string& command, const std::string& path, std::string_view content);

}  // namespace cli
