#pragma once
// A file written under a temporary name in its folder and renamed to its
// final name only when it is complete, so that a failed extraction never
// leaves a half-written file under the final name. The temporary file is
// removed when the object goes without having been committed.
#include <cstddef>
#include <optional>
#include <string>

#include "base/unique_fd.h"

namespace archive {

class PendingFile {
public:
    // Creates the temporary file in the folder `folderFd` (which must outlive
    // this object). Empty, with `error` (an errno value) set, on failure.
    static std::optional<PendingFile> create(int folderFd, std::string finalName, int& error);

    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&&) = delete;
    ~PendingFile();

    bool write(const void* data, size_t size, int& error);

    // Sets the modification time (seconds since 1970; 0 leaves it) and
    // renames the file to its final name, replacing a file of that name.
    bool commit(unsigned modificationTime, int& error);

private:
    PendingFile(int folderFd, UniqueFd fd, std::string tempName, std::string finalName);
    int folderFd_;
    UniqueFd fd_;
    std::string tempName_, finalName_;
    bool done_ = false;
};

}  // namespace archive
