#pragma once
// A copy of a folder of meshes with every description's coordinate-system
// flag set to 0: the same numbers read as plane coordinates on the Tokyo datum.
#include <filesystem>

namespace testsupport {

// Copies `meshes` into `into` and rewrites the flag; returns the copy's folder.
std::filesystem::path TokyoDatumCopy(const std::filesystem::path& meshes, const std::filesystem::path& into);

}  // namespace testsupport
