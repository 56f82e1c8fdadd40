#pragma once
// The 42 coordinate systems the program knows, in ordinal order, and the rule
// that derives a data set's system from its description file.
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
};

inline constexpr int kCoordsFormatCount = 42;

// Datum types of FormatFromDatum; kDatumNone marks a system without a datum.
inline constexpr int kDatumNone = 0;
inline constexpr int kDatumTokyo = 1;
inline constexpr int kDatumWGS84 = 2;
inline constexpr int kDatumJGD2000 = 3;

TCoordsFormat FormatFromDatum(int datumType, int zone);

// The enumeration value's name, e.g. "cfProjectedJGD09".
std::string_view CoordsFormatName(TCoordsFormat format);
// The value of a name, or of its ordinal written in decimal.
std::optional<TCoordsFormat> CoordsFormatFromName(std::string_view nameOrOrdinal);
