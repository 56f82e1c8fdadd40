#pragma once
// Extraction of a whole LZH archive below a base folder, decoded by lhasa.
//
// Every member is written below the base folder under its stored path (or
// its file name alone), missing folders created and existing files replaced.
// A member is refused when its path is absolute, has a ".." part, or passes
// through a symbolic link, whether one already in the folder or one the
// archive holds; symbolic-link members are never created. Each file is
// decoded into a temporary file and renamed only when its length and CRC
// are right, so a damaged member leaves nothing under its name.
//
// An archive cannot fill the disk: before anything is written, the sizes
// that the members' headers declare are added up, and the archive is
// refused when the sum passes the limits below; a member whose data runs
// past its declared size is stopped, and so is the extraction when the disk
// fills up. Nothing half-extracted is left as if complete: when an
// extraction fails, for whatever reason, the files and folders it made are
// removed again (a file it replaced too, its old contents being gone).
#include <cstdint>
#include <string>
#include <vector>

namespace archive {

struct ExtractionLimits {
    uint64_t maxDeclaredBytes = uint64_t{4} << 30;  // per archive
    uint64_t freeSpaceMargin = uint64_t{64} << 20;  // left free on the base folder's file system
};

struct ExtractionJob {
    std::string archivePath;   // UTF-8, for the file system
    std::string archiveText;   // Shift-JIS, for messages
    std::string baseFolder;    // UTF-8
    bool withFolders = true;   // false: every file goes straight into the base folder
    std::vector<std::string> patterns;  // Shift-JIS; see name_pattern.h
    ExtractionLimits limits;
};

// Runs the job. Appends one Shift-JIS line per extracted file and one per
// problem to `log`; returns kUnlhaOk or the code of the first problem.
int ExtractWithLhasa(const ExtractionJob& job, std::string& log);

}  // namespace archive
