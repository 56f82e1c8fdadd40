#include "datum_shift_option.h"

#include <iostream>

#include "arguments.h"

namespace cli {

std::optional<std::string> readDatumShift(const std::vector<std::string>& args, size_t& i, TDatumShift& shift) {
    if (i + 1 == args.size()) return std::string(kDatumShiftOption) + " needs helmert or grid";
    const std::optional<TDatumShift> named = DatumShiftFromName(args[++i]);
    if (!named) return std::string(kDatumShiftOption) + " is helmert or grid, not '" + echoed(args[i]) + "'";
    shift = *named;
    return std::nullopt;
}

void reportFallbacks(const std::string& command, uint64_t count) {
    if (count == 0) return;
    std::cerr << "orvelle-cli " << command << ": " << count << (count == 1 ? " point" : " points")
              << " converted with the three-parameter shift: the TKY2JGD grid has no parameter there\n";
}

}  // namespace cli
