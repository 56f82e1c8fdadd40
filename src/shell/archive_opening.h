#pragma once
// The archive branch of the open command, without its screen updates:
// the archive component extracts the whole archive into a folder of its own
// in the cache folder, which the caller then loads like any folder.
#include <string>

class TUnlha;

// True when the path's extension is ".lzh" in any case.
bool IsArchivePath(const std::string& path);

// Sets the component up to extract `archive` whole into `folder` with the
// open command's switches. Its other options keep their values at creation.
// Texts are Shift-JIS.
void SetUpExtraction(TUnlha& unlha, const std::string& archive, const std::string& folder);

struct ArchiveExtraction {
    int result = 0;      // Execute's result: 0 when the folder can be loaded
    std::string folder;  // the extraction folder, Shift-JIS, no trailing separator
    bool ok() const { return result == 0; }
};

// Extracts `archive` into its extraction folder of `cacheFolder`. When the
// result is not 0 nothing is to be read from the folder.
ArchiveExtraction ExtractForOpening(TUnlha& unlha, const std::string& archive, const std::string& cacheFolder);
