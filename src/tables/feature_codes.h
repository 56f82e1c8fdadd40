#pragma once
// The feature codes (major × 100 + minor) and major codes that the reading,
// drawing and queries single out, named once.

namespace codes {

// Major codes (classification groups and display categories).
inline constexpr int kBoundaryMajor = 11;
inline constexpr int kRoadMajor = 21;
inline constexpr int kRailwayMajor = 23;
inline constexpr int kBuildingMajor = 35;

// Minor codes of the boundary group.
inline constexpr int kMunicipalityMinor = 5;
inline constexpr int kChomeMinor = 6;
inline constexpr int kBlockMinor = 8;

// Full codes.
inline constexpr int kMunicipality = 1105;
inline constexpr int kChome = 1106;
inline constexpr int kBlock = 1108;
inline constexpr int kRoadEdge = 2101;
inline constexpr int kRoadCentre = 2110;
inline constexpr int kExpresswayEdge = 2112;
inline constexpr int kRailway = 2300;
inline constexpr int kStation = 2420;
inline constexpr int kPublicBuilding = 3500;
inline constexpr int kRiver = 5101;
inline constexpr int kLake = 5105;
inline constexpr int kRiverArea = 5121;
inline constexpr int kRiverCentre = 5122;
inline constexpr int kOtherGround = 6200;
inline constexpr int kCemetery = 6215;
inline constexpr int kParkArea = 6241;
inline constexpr int kUrbanPark = 6242;
inline constexpr int kSchool = 6243;
inline constexpr int kShrine = 6244;
inline constexpr int kTriangulationPoint = 7301;

// Parks, grounds and water areas: a record of exactly one value names them.
inline constexpr bool namedBySingleValue(int code) {
    switch (code) {
        case kUrbanPark:
        case kSchool:
        case kShrine:
        case kCemetery:
        case kOtherGround:
        case kRiver:
        case kLake: return true;
        default: return false;
    }
}

// Line tags: 1 marks an elevated road; tags above 2 are construction arcs, never drawn.
inline constexpr int kElevatedTag = 1;
inline constexpr int kLastDrawnLineTag = 2;

// Palette indexes of the road colours that a road's name chooses.
inline constexpr int kMotorwayPalette = 221;
inline constexpr int kNationalRoadPalette = 241;
inline constexpr int kOtherRoadPalette = 171;

// Label heights in metres on the ground.
inline constexpr int kChomeLabelHeight = 12;
inline constexpr int kBlockLabelHeight = 6;
inline constexpr int kBuildingLabelHeight = 5;
inline constexpr int kStationLabelHeight = 15;

}  // namespace codes
