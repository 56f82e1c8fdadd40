#pragma once
// How coordinates on the Tokyo datum are shifted to JGD2000 (and on to
// WGS84 and JGD2011): the three-parameter shift of the coordinate table, or
// GSI's TKY2JGD grid.
#include <cstdint>
#include <optional>
#include <string_view>

enum class TDatumShift : uint8_t { dsHelmert, dsGrid };

// "helmert" or "grid", the names of the command line and the INI file.
std::string_view DatumShiftName(TDatumShift shift);
std::optional<TDatumShift> DatumShiftFromName(std::string_view name);
