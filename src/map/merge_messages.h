#pragma once
// The error-list texts of merging a mesh into a map (Shift-JIS), each
// followed by "name:value,name:value)".
#include <string>

struct MergeMessages {
    std::string otherZone;   // 公共座標系が異なります(
    std::string otherDatum;  // 座標系が異なります(
    std::string otherScale;  // 縮尺が異なります(
};

const MergeMessages& MergeTexts();
