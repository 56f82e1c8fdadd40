#pragma once
// Builds the content of one mesh (one sheet of the plan).
#include "mesh_content.h"
#include "town_plan.h"

namespace synth {

// Without topology the nodes and network records are left out (for
// counting vertices, which they do not change).
enum class Topology { Build, Skip };
MeshContent buildMesh(const TownPlan& plan, int col, int row, Topology topology = Topology::Build);

}  // namespace synth
