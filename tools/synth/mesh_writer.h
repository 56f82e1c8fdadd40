#pragma once
// Writes a built mesh as its description file and layer files below a root
// folder: <root>/<MESH>/<MESH>.TXT and <root>/<MESH>/<GROUP>/<GROUP>.<KIND>.
#include <cstdint>
#include <filesystem>

#include "mesh_content.h"

namespace synth {

struct WriteTotals {
    int meshes = 0;
    int files = 0;
    std::uint64_t vertices = 0;  // vertex records of the arc files
    std::uint64_t bytes = 0;
};

void writeMesh(const MeshContent& mesh, const std::filesystem::path& root, WriteTotals& totals);

}  // namespace synth
