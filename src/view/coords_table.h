#pragma once
// The coordinate systems behind TCoordsFormat: EPSG code, kind, datum,
// Japanese title and PROJ definition of each, indexed by the ordinal.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "tables/coords_format.h"

// Kinds of coordinate system.
inline constexpr uint8_t kCoordsKindNone = 0;
inline constexpr uint8_t kCoordsKindGeographic = 1;  // longitude and latitude
inline constexpr uint8_t kCoordsKindProjected = 2;   // plane rectangular, metres

struct TCoordsFormatEntry {
    std::string Code;        // EPSG code; descriptive only
    uint8_t Kind = kCoordsKindNone;
    uint8_t Datum = kDatumNone;  // kDatumNone, kDatumTokyo, kDatumWGS84, kDatumJGD2000 or kDatumJGD2011
    std::string Title;       // Shift-JIS display name
    std::string Definition;  // PROJ definition; empty for cfCartesian
};

using TCoordsFormatRows = std::array<TCoordsFormatEntry, kCoordsFormatCount>;

const TCoordsFormatRows& CoordsFormatTable();
// The row of a value; a value outside the enumeration gives the cfCartesian row.
const TCoordsFormatEntry& CoordsFormatEntry(TCoordsFormat format);
// The system of an EPSG code of the table (4301, 4326, 4612, 6668 and the
// plane zones 30161-30179, 2443-2461, 6669-6687); none for any other.
std::optional<TCoordsFormat> CoordsFormatOfEpsg(int code);
