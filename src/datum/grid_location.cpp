#include "datum/grid_location.h"

#include <cstdlib>
#include <system_error>

#include "base/shipped_data.h"
#include "datum/datum_grid_error.h"

namespace fs = std::filesystem;

std::vector<fs::path> GridFolders() {
    if (const char* env = std::getenv("ORVELLE_GRIDS"); env && *env) return {fs::path(env)};
    std::vector<fs::path> folders = ShippedDataFolders();
    for (fs::path& folder : folders) folder /= "grids";
    return folders;
}

fs::path FindGridFile(const std::string& fileName) {
    std::string lookedIn;
    for (const fs::path& folder : GridFolders()) {
        std::error_code error;
        const fs::path candidate = folder / fileName;
        if (fs::is_regular_file(candidate, error)) return candidate;
        lookedIn += (lookedIn.empty() ? "" : ", ") + folder.string();
    }
    throw EDatumGridError("datum grid " + fileName + " not found (looked in " + lookedIn +
                          "); reinstall Orvelle or set ORVELLE_GRIDS to the folder that holds it");
}
