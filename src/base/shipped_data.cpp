#include "base/shipped_data.h"

#include <system_error>

namespace fs = std::filesystem;

std::vector<fs::path> ShippedDataFolders() {
    std::vector<fs::path> folders;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back(program.parent_path().parent_path() / "share/orvelle");
    folders.emplace_back(ORVELLE_INSTALLED_DATA);
    folders.emplace_back(ORVELLE_SOURCE_DATA);
    return folders;
}

fs::path FindShippedFile(const std::string& name) {
    for (const fs::path& folder : ShippedDataFolders()) {
        std::error_code error;
        const fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}
