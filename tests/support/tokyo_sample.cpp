#include "support/tokyo_sample.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace testsupport {
namespace {

// Line 7 of a description ends with the flag: "9,-37500.0,...,1\r\n".
void setTokyoFlag(const fs::path& description) {
    std::ifstream in(description, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    size_t line = 0;
    for (int i = 0; i < 6; ++i) line = text.find('\n', line) + 1;
    const size_t end = text.find_first_of("\r\n", line);
    const size_t comma = text.rfind(',', end);
    if (line == 0 || end == std::string::npos || comma == std::string::npos || comma < line)
        throw std::runtime_error("no coordinate-system line in " + description.string());
    text.replace(comma + 1, end - comma - 1, "0");
    std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace

fs::path TokyoDatumCopy(const fs::path& meshes, const fs::path& into) {
    const fs::path copy = into / "tokyo";
    fs::copy(meshes, copy, fs::copy_options::recursive);
    for (const fs::directory_entry& mesh : fs::directory_iterator(copy)) {
        if (!mesh.is_directory()) continue;
        const fs::path description = mesh.path() / (mesh.path().filename().string() + ".TXT");
        if (fs::exists(description)) setTokyoFlag(description);
    }
    return copy;
}

}  // namespace testsupport
