#include "view/datum_shift.h"

std::string_view DatumShiftName(TDatumShift shift) { return shift == TDatumShift::dsGrid ? "grid" : "helmert"; }

std::optional<TDatumShift> DatumShiftFromName(std::string_view name) {
    if (name == "helmert") return TDatumShift::dsHelmert;
    if (name == "grid") return TDatumShift::dsGrid;
    return std::nullopt;
}
