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
    // base folder, creating the missing ones; `created`, when given, receives
    // the names of each folder made. On failure the descriptor is invalid and
    // `status` (with `error`, an errno value) says why.
    UniqueFd openFolder(const std::vector<std::string>& utf8Names, size_t count, FolderStatus& status,
                        int& error, std::vector<std::vector<std::string>>* created = nullptr) const;

    // Removes the file, or the empty folder, named by `utf8Names` below the
    // base folder, never following a symbolic link; false when it cannot.
    bool remove(const std::vector<std::string>& utf8Names, bool folder) const;

    // Whether open() made the base folder itself.
    bool madeBase() const { return madeBase_; }

private:
    SafeFolder(UniqueFd fd, bool madeBase) : fd_(std::move(fd)), madeBase_(madeBase) {}
    UniqueFd fd_;
    bool madeBase_ = false;
};

}  // namespace archive
