#pragma once
// The private folder beside an export's destination where its files are
// written, and the all-or-nothing move of those files under their final names.
//
// The folder is short-named (".orvelle-export-XXXXXX", whatever the
// destination's length) and locked (flock) for as long as the object lives,
// so an export can tell the staging folder of a running export from the
// leftover of one whose process died, and removes the latter.
//
// Commit moves each written name into the destination folder, never over a
// name that appeared meanwhile (RENAME_NOREPLACE). When replacing, each old
// file is first moved aside into the staging folder. When any step fails,
// every new name is taken back and every old file put back, and the message
// names the file that failed and the system's reason.
#include <filesystem>
#include <string>
#include <vector>

#include "base/unique_fd.h"

class TStagingFolder {
public:
    // Creates the staging folder in `folder` (the destination's folder as the
    // user gave it; empty: the current folder). Throws EExportError.
    explicit TStagingFolder(const std::filesystem::path& folder);
    // Removes the folder, unless a failed commit left old files in it.
    ~TStagingFolder();
    TStagingFolder(const TStagingFolder&) = delete;
    TStagingFolder& operator=(const TStagingFolder&) = delete;

    // Where the writers create the new files.
    const std::filesystem::path& NewFiles() const { return newFiles_; }
    // The name in the destination folder as the user would write it.
    std::filesystem::path Shown(const std::string& name) const { return shownFolder_ / name; }
    // Throws EExportError (DestinationExists) when `name` exists in the
    // destination folder (a dangling symbolic link too), or (CannotWrite) when
    // `replace` and it is a folder.
    void RefuseExisting(const std::string& name, bool replace) const;
    // Flushes every written file to disk and moves all of them under their
    // names in the destination folder, replacing existing files only when
    // `replace`; all or nothing. Returns the names moved. Throws EExportError.
    std::vector<std::string> Commit(bool replace);
    // Removes the folder and everything in it.
    void Remove();

private:
    std::vector<std::string> written() const;
    void sync(const std::vector<std::string>& names) const;

    std::filesystem::path shownFolder_, path_, newFiles_;
    UniqueFd folder_, staging_, new_, old_;
    bool keep_ = false;  // a failed commit could not put old files back
};
