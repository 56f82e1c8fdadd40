#include "mesh_builder.h"

#include "layers.h"

namespace synth {
namespace {

struct GroupKind {
    const char* folder;
    void (*fill)(const TownPlan&, GroupBuilder&);
};

// Layer groups in the order the description lists them.
constexpr GroupKind kGroups[] = {
    {"GYOUSEI", addAdministrativeAreas}, {"DOURO", addRoads},          {"TETUDO", addRailways},
    {"SUIKEI", addWater},                {"SONOTA", addGrounds},       {"TATEMONO", addPublicBuildings},
    {"KIJUNTEN", addControlPoints},
};

}  // namespace

MeshContent buildMesh(const TownPlan& plan, int col, int row, Topology topology) {
    MeshContent mesh;
    mesh.name = plan.meshName(col, row);
    mesh.sheet = plan.sheetRect(col, row);
    mesh.sheetOrigin = {plan.origin().x + mesh.sheet.x0, plan.origin().y + mesh.sheet.y0};
    mesh.mapEdge = {row == 0, col == plan.params().cols - 1, row == plan.params().rows - 1, col == 0};
    mesh.groups.reserve(std::size(kGroups));
    MeshIds ids;
    for (const GroupKind& kind : kGroups) {
        LayerGroup& group = mesh.groups.emplace_back();
        group.folder = kind.folder;
        GroupBuilder builder(group, ids, mesh.sheet);
        kind.fill(plan, builder);
        if (topology == Topology::Build) buildTopology(group, ids, mesh.sheet, mesh.mapEdge);
    }
    return mesh;
}

}  // namespace synth
