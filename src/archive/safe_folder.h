#pragma once
// The base folder of an extraction, through which every file is written.
// Names below it are opened one at a time relative to the folder above,
// never following a symbolic link, so nothing reaches outside the base folder
// whatever it already holds.
#include <optional>
#include <string>
#include <vector>

#include "base/unique_fd.h"

namespace archive {

enum class FolderStatus {
    kOk,
    kSymbolicLink,  // a name on the way is a symbolic link
    kNotAFolder,    // a name on the way is a file
    kFailed,        // the system refused (see the error number)
};

class SafeFolder {
public:
    // Opens the base folder, creating it and its missing parents. The path
    // itself may pass through symbolic links: it is the caller's own choice.
    // Empty, with `error` set, when that fails.
    static std::optional<SafeFolder> open(const std::string& utf8Path, std::string& error);

    // Opens the folder named by the first `count` of `utf8Names` below the
    // base folder, creating the missing ones. On failure the descriptor is
    // invalid and `status` (with `error`, an errno value) says why.
    UniqueFd openFolder(const std::vector<std::string>& utf8Names, size_t count, FolderStatus& status,
                        int& error) const;

private:
    explicit SafeFolder(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

}  // namespace archive
