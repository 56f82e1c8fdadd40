#pragma once
// Query texts that give a coordinate: decimal latitude and longitude
// ("35.6623, 139.7015"), degrees, minutes and seconds with marks
// ("35°39′44″N 139°42′05″E", "北緯35度39分44秒 東経139度42分5秒") or without
// ("35 39 44 139 42 05"), and plane metres after a coordinate-system name
// ("cfProjectedJGD09 -11937.8 -37453.2"). The text is UTF-8 folded to half
// width (placetext::FoldWidth).
#include <string_view>

#include "tables/coords_format.h"

struct TCoordinateText {
    enum TForm : uint8_t {
        ctNone,          // not a coordinate: the text may name a place
        ctLatLon,        // Latitude and Longitude, degrees (north and east positive)
        ctPlane,         // X (easting) and Y (northing), metres of System
        ctNotPlane,      // a system name that is not a plane rectangular system
        ctMalformed,     // coordinate-shaped but wrong: minutes or seconds of 60 or more,
                         // two latitudes, a fraction before the last part ...
    };
    TForm Form = ctNone;
    double Latitude = 0, Longitude = 0;
    TCoordsFormat System = TCoordsFormat::cfCartesian;
    double X = 0, Y = 0;
};

TCoordinateText ParseCoordinateText(std::string_view foldedUtf8);
