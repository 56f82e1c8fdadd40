#pragma once
// One file written beside its destination and renamed into place only when it
// is complete and on disk, so that the destination holds either what was there
// before or the whole new file, never a part.
//
// The destination's last component is never followed: a symbolic link there
// is replaced as a name (its target stays as it is) or, when existing files
// are kept, counts as existing. A folder there is refused, and so is an
// existing regular file the user may not write (renaming over it would work
// but would defeat its permissions). On any failure the temporary file is
// removed and the destination stays untouched; the error is the system's
// (std::error_code::message() gives its text).
#include <string>
#include <string_view>
#include <system_error>

#include "base/unique_fd.h"

// What a write does when something already has the destination's name.
enum class ExistingFile {
    Keep,     // fail with EEXIST, also when it appears while the file is written
    Replace,  // replace it as one step
};

class AtomicFile {
public:
    AtomicFile(std::string destination, ExistingFile existing);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the destination and creates the temporary file in its folder
    // (a short hidden name, the mode any new file gets).
    std::error_code Create();
    // The temporary file's path, for writers that open a file by name.
    const std::string& TemporaryPath() const { return temporaryPath_; }
    // Appends bytes to the temporary file; after a failure every later call
    // returns that failure.
    std::error_code Write(std::string_view bytes);
    // Flushes the temporary file to disk, closes it and renames it to the
    // destination; on failure removes it.
    std::error_code Commit();

private:
    std::error_code fail();  // keeps errno as the error and removes the temporary file
    void discard();

    std::string destination_, name_, temporaryName_, temporaryPath_;
    ExistingFile existing_;
    UniqueFd folder_, file_;
    std::error_code failed_;
    bool committed_ = false;
};

// Writes `content` as the whole file at `destination` the same way.
std::error_code WriteFileAtomically(const std::string& destination, std::string_view content, ExistingFile existing);
