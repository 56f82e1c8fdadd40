// orvelle-cli coords: converts one point between two coordinate systems,
// lists the systems, or formats latitude and longitude as the status bar does.
// A system is a table name (geographic values in hundredths of an arc-second)
// or an EPSG code of the table (geographic values in degrees).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "datum_shift_option.h"
#include "shell/latlon_text.h"
#include "view/coordinate_translator.h"
#include "view/coords_table.h"

namespace cli {
namespace {

constexpr const char* kCommand = "coords";

struct CoordsArgs {
    bool List = false;
    bool Dms = false;
    std::optional<std::string> From, To;
    TDatumShift Shift = TDatumShift::dsHelmert;
    std::vector<std::string> Numbers;
};

// A system as the user named it: EPSG codes count geographic values in
// degrees, table names in hundredths of an arc-second.
struct NamedSystem {
    TCoordsFormat Format;
    double UnitsPerValue = 1.0;  // table units per value written
};

std::optional<NamedSystem> systemNamed(const std::string& name) {
    constexpr std::string_view kEpsg = "EPSG:";
    if (name.size() > kEpsg.size() && std::equal(kEpsg.begin(), kEpsg.end(), name.begin(),
                                                 [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); })) {
        int code = 0;
        if (!parseInt(name.substr(kEpsg.size()), code)) return std::nullopt;
        const std::optional<TCoordsFormat> format = CoordsFormatOfEpsg(code);
        if (!format) return std::nullopt;
        const bool geographic = CoordsFormatEntry(*format).Kind == kCoordsKindGeographic;
        return NamedSystem{*format, geographic ? kGeographicUnitsPerDegree : 1.0};
    }
    const std::optional<TCoordsFormat> format = CoordsFormatFromName(name);
    if (!format) return std::nullopt;
    return NamedSystem{*format, 1.0};
}

std::optional<double> asNumber(const std::string& text) {
    double value = 0;
    return parseNumber(text, value) ? std::optional<double>(value) : std::nullopt;
}

bool looksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && !asNumber(arg);
}

// Fills `out` or returns the message of the first problem.
std::optional<std::string> parseArgs(const std::vector<std::string>& args, CoordsArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--list") {
            out.List = true;
        } else if (arg == "--dms") {
            out.Dms = true;
        } else if (arg == kDatumShiftOption) {
            if (auto problem = readDatumShift(args, i, out.Shift)) return problem;
        } else if (arg == "--from" || arg == "--to") {
            if (i + 1 == args.size()) return arg + " needs a FORMAT";
            (arg == "--from" ? out.From : out.To) = args[++i];
        } else if (looksLikeOption(arg)) {
            return "unknown option '" + echoed(arg) + "'";
        } else {
            out.Numbers.push_back(arg);
        }
    }
    return std::nullopt;
}

std::optional<double> number(const std::string& text, std::string& error) {
    auto value = asNumber(text);
    if (!value && error.empty()) error = "'" + echoed(text) + "' is not a number";
    return value;
}

int listFormats() {
    for (int i = 0; i < kCoordsFormatCount; ++i) {
        const auto format = static_cast<TCoordsFormat>(i);
        const TCoordsFormatEntry& row = CoordsFormatEntry(format);
        std::cout << i << '\t' << CoordsFormatName(format) << '\t' << row.Code << '\t'
                  << static_cast<int>(row.Kind) << '\t' << static_cast<int>(row.Datum) << '\t'
                  << sjis::toUtf8(row.Title) << '\n';
    }
    return kExitOk;
}

int printDms(double latitude, double longitude) {
    std::cout << latlon::latitudeText(latitude) << '\n' << latlon::longitudeText(longitude) << '\n';
    return kExitOk;
}

int convert(const NamedSystem& fromSystem, const NamedSystem& toSystem, TDatumShift shift, double x, double y) {
    const TCoordsFormat from = fromSystem.Format, to = toSystem.Format;
    TCoordinateTranslator translator;
    translator.SetDatumShift(shift);
    translator.SetSource(from);
    translator.SetTarget(to);
    for (auto [format, chosen] : {std::pair{from, translator.GetSourceFormat()},
                                  std::pair{to, translator.GetTargetFormat()}}) {
        if (format != TCoordsFormat::cfCartesian && chosen != format) {
            std::cerr << "orvelle-cli coords: PROJ refused the definition of "
                      << CoordsFormatName(format) << "\n";
            return kExitFailed;
        }
    }
    const auto result =
        translator.TryTransform({x * fromSystem.UnitsPerValue, y * fromSystem.UnitsPerValue});
    if (!result) {
        std::cerr << "orvelle-cli coords: the point cannot be converted from "
                  << CoordsFormatName(from) << " to " << CoordsFormatName(to)
                  << (from == TCoordsFormat::cfCartesian || to == TCoordsFormat::cfCartesian
                          ? " (cfCartesian has no projection)"
                          : "")
                  << "\n";
        return kExitFailed;
    }
    // Degrees get nine decimals: a tenth of a millimetre.
    char line[96];
    std::snprintf(line, sizeof line, toSystem.UnitsPerValue == 1.0 ? "%.6f %.6f" : "%.9f %.9f",
                  result->X / toSystem.UnitsPerValue, result->Y / toSystem.UnitsPerValue);
    std::cout << line << '\n';
    reportFallbacks(kCommand, translator.FallbackCount());
    return kExitOk;
}

}  // namespace

int runCoords(const std::vector<std::string>& args) {
    CoordsArgs parsed;
    if (auto problem = parseArgs(args, parsed)) return usageError(kCommand, *problem);
    const bool convertMode = parsed.From || parsed.To;
    if (parsed.List + parsed.Dms + convertMode != 1)
        return usageError(kCommand, "give one of --list, --dms or --from/--to");

    if (parsed.List) {
        if (!parsed.Numbers.empty()) return usageError(kCommand, "--list takes no values");
        return listFormats();
    }
    if (parsed.Numbers.size() != 2)
        return usageError(kCommand, parsed.Dms ? "--dms needs LAT and LON" : "needs X and Y");
    std::string error;
    const auto first = number(parsed.Numbers[0], error);
    const auto second = number(parsed.Numbers[1], error);
    if (!first || !second) return usageError(kCommand, error);
    if (parsed.Dms) return printDms(*first, *second);

    if (!parsed.From || !parsed.To) return usageError(kCommand, "needs both --from and --to");
    const auto from = systemNamed(*parsed.From);
    if (!from) return usageError(kCommand, "unknown FORMAT '" + echoed(*parsed.From) + "'");
    const auto to = systemNamed(*parsed.To);
    if (!to) return usageError(kCommand, "unknown FORMAT '" + echoed(*parsed.To) + "'");
    return convert(*from, *to, parsed.Shift, *first, *second);
}

}  // namespace cli
