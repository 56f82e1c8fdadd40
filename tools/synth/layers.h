#pragma once
// The layer groups of a mesh, one function per group folder, each adding the
// group's features of one sheet.
#include "mesh_content.h"
#include "town_plan.h"

namespace synth {

// GYOUSEI: municipality (1105), chome (1106) and block (1108) areas and their lines.
void addAdministrativeAreas(const TownPlan& plan, GroupBuilder& group);
// DOURO: road centre lines (2110), road edges (2101) and the expressway's edges (2112).
void addRoads(const TownPlan& plan, GroupBuilder& group);
// TETUDO: the railway (2300) and its stations (2420).
void addRailways(const TownPlan& plan, GroupBuilder& group);
// SUIKEI: the river (5101 water, 5121 river area, 5122 centre line) and ponds (5105).
void addWater(const TownPlan& plan, GroupBuilder& group);
// SONOTA: parks, school grounds, shrine and temple grounds, cemeteries and other grounds (62xx).
void addGrounds(const TownPlan& plan, GroupBuilder& group);
// TATEMONO: public buildings (3500) with their kind and name.
void addPublicBuildings(const TownPlan& plan, GroupBuilder& group);
// KIJUNTEN: control points (7301) with their survey record.
void addControlPoints(const TownPlan& plan, GroupBuilder& group);

}  // namespace synth
