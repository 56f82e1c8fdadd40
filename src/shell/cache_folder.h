#pragma once
// The cache folder, where opened archives are extracted, one folder per
// archive, and the two procedures that measure and empty it. Paths are
// Shift-JIS texts like every text of the program; they are converted to
// UTF-8 for the file system.
#include <string>

// The places that decide where the program keeps its files (UTF-8).
struct ProgramPlaces {
    std::string orvelleHome;    // the ORVELLE_HOME variable
    std::string programFolder;  // the folder of the running program
    std::string xdgCacheHome;
    std::string home;
    std::string xdgConfigHome;
};

// Where the cache folder lies, by the first rule that applies:
// `orvelleHome` + "/Maps"; the program's folder + "/Maps" when an
// "orvelle.ini" lies beside the program (portable use); the XDG cache folder
// ($XDG_CACHE_HOME when absolute, else ~/.cache) + "/orvelle/Maps".
// UTF-8, ending with '/'.
std::string CacheFolderIn(const ProgramPlaces& places);

// Where the INI file and "engine.lst" lie, by the same rules: `orvelleHome`;
// the program's folder when "orvelle.ini" lies there; the XDG config folder
// ($XDG_CONFIG_HOME when absolute, else ~/.config) + "/orvelle". UTF-8,
// ending with '/'.
std::string ConfigFolderIn(const ProgramPlaces& places);

// The places of this process (environment, the program's own folder).
ProgramPlaces CurrentProgramPlaces();

// The cache folder of this process as a Shift-JIS text ending with '/'.
// Throws std::runtime_error when its path cannot be written in Shift-JIS.
std::string CacheFolder();

// The folder an archive is extracted into: the cache folder and the
// archive's file name without its extension, without a trailing separator
// (".../Maps/" and "C:\data\13101.lzh" give ".../Maps/13101"). A name that
// would leave only "", "." or ".." (e.g. "...lzh") keeps its extension, so
// that the folder always lies inside the cache folder.
std::string ExtractionFolder(const std::string& cacheFolder, const std::string& archivePath);

// Deletes everything inside `folder` but the folder itself. A symbolic link
// is removed, never followed. What cannot be deleted stays, without a
// message, and so do the folders above it. True when nothing stayed.
bool ClearFolder(const std::string& folder);

// Adds the sizes of the regular files below `folder` to `total` (bytes);
// symbolic links are neither counted nor followed.
void FolderSize(const std::string& folder, double& total);
