#pragma once
// Where the datum grids shipped with the program are found.
#include <filesystem>
#include <string>
#include <vector>

// The folders searched, in order: $ORVELLE_GRIDS alone when it is set (tests
// and relocated data); otherwise share/orvelle/grids beside the program's
// own folder (an installation anywhere), the installation's data folder and
// the source tree's data/grids (running from the build tree).
std::vector<std::filesystem::path> GridFolders();

// The first of GridFolders() that holds `fileName`; throws EDatumGridError
// naming every folder looked in when none does.
std::filesystem::path FindGridFile(const std::string& fileName);
