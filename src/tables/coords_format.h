#pragma once
// The coordinate systems the program knows, in ordinal order, and the rule
// that derives a data set's system from its description file. The JGD2011
// systems follow the original 42, whose ordinals stay as they were.
#include <cstdint>
#include <optional>
#include <string_view>

enum class TCoordsFormat : uint8_t {
    cfCartesian,
    cfGeodeticTKY,
    cfGeodeticWGS,
    cfGeodeticJGD,
    cfProjectedTKY01, cfProjectedTKY02, cfProjectedTKY03, cfProjectedTKY04, cfProjectedTKY05,
    cfProjectedTKY06, cfProjectedTKY07, cfProjectedTKY08, cfProjectedTKY09, cfProjectedTKY10,
    cfProjectedTKY11, cfProjectedTKY12, cfProjectedTKY13, cfProjectedTKY14, cfProjectedTKY15,
    cfProjectedTKY16, cfProjectedTKY17, cfProjectedTKY18, cfProjectedTKY19,
    cfProjectedJGD01, cfProjectedJGD02, cfProjectedJGD03, cfProjectedJGD04, cfProjectedJGD05,
    cfProjectedJGD06, cfProjectedJGD07, cfProjectedJGD08, cfProjectedJGD09, cfProjectedJGD10,
    cfProjectedJGD11, cfProjectedJGD12, cfProjectedJGD13, cfProjectedJGD14, cfProjectedJGD15,
    cfProjectedJGD16, cfProjectedJGD17, cfProjectedJGD18, cfProjectedJGD19,
    cfGeodeticJGD2011,
    cfProjectedJGD2011_01, cfProjectedJGD2011_02, cfProjectedJGD2011_03, cfProjectedJGD2011_04,
    cfProjectedJGD2011_05, cfProjectedJGD2011_06, cfProjectedJGD2011_07, cfProjectedJGD2011_08,
    cfProjectedJGD2011_09, cfProjectedJGD2011_10, cfProjectedJGD2011_11, cfProjectedJGD2011_12,
    cfProjectedJGD2011_13, cfProjectedJGD2011_14, cfProjectedJGD2011_15, cfProjectedJGD2011_16,
    cfProjectedJGD2011_17, cfProjectedJGD2011_18, cfProjectedJGD2011_19,
};

inline constexpr int kCoordsFormatCount = 62;

// Datum types of FormatFromDatum; kDatumNone marks a system without a datum.
inline constexpr int kDatumNone = 0;
inline constexpr int kDatumTokyo = 1;
inline constexpr int kDatumWGS84 = 2;
inline constexpr int kDatumJGD2000 = 3;
inline constexpr int kDatumJGD2011 = 4;  // no data set is in it; a display and export system only

TCoordsFormat FormatFromDatum(int datumType, int zone);

// The enumeration value's name, e.g. "cfProjectedJGD09".
std::string_view CoordsFormatName(TCoordsFormat format);
// The value of a name, or of its ordinal written in decimal.
std::optional<TCoordsFormat> CoordsFormatFromName(std::string_view nameOrOrdinal);
