#include "datum/grid_location.h"

#include <cstdlib>
#include <system_error>

#include "datum/datum_grid_error.h"

namespace fs = std::filesystem;

std::vector<fs::path> GridFolders() {
    if (const char* env = std::getenv("ORVELLE_GRIDS"); env && *env) return {fs::path(env)};
    std::vector<fs::path> folders;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back(program.parent_path().parent_path() / "share/orvelle/grids");
    folders.emplace_back(ORVELLE_INSTALLED_GRIDS);
    folders.emplace_back(ORVELLE_SOURCE_GRIDS);
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
