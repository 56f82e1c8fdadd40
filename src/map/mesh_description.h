#pragma once
// The mesh description: the sheet's name, scale, corners, coordinate system
// and the list of its layer files, as its description file states them.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/geo_point.h"

class TKDKDescription {
public:
    // Path in Shift-JIS, as the system keeps file names.
    TKDKDescription(int meshNo, const std::string& path);

    int32_t MeshNo = 0;
    std::string Folder;
    std::string BaseName;
    std::string Line2Text, Line3Text, Line4Text;
    int32_t Scale = 0;
    int32_t CoordSystemNo = 0;
    TGeoPoint2D SouthWest, NorthEast, NorthWest, SouthEast;
    int32_t DatumFlag = 0;
    std::string Line8Text;
    std::vector<std::string> LayerFiles;
    std::vector<std::string> Line9Items;

    // The path the file is read from: Folder + BaseName + ".txt".
    std::string FilePath() const { return Folder + BaseName + ".txt"; }
};
