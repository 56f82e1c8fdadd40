#pragma once
// "--datum-shift helmert|grid", the option of every command that converts
// coordinates, and the note of the points the grid could not convert.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view/datum_shift.h"

namespace cli {

inline constexpr const char* kDatumShiftOption = "--datum-shift";

// Reads the value after args[i] (moving i onto it) into `shift`; the problem
// when it is missing or unknown.
std::optional<std::string> readDatumShift(const std::vector<std::string>& args, size_t& i, TDatumShift& shift);

// Says on standard error how many points went by the three-parameter shift
// because the grid has no parameter there; says nothing for none.
void reportFallbacks(const std::string& command, uint64_t count);

}  // namespace cli
