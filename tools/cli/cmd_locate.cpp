// orvelle-cli locate: the places a text names, or the point a coordinate gives,
// one tab-separated line each: kind, X, Y, min X, min Y, max X, max Y, name.
#include <cstdio>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "datum_shift_option.h"
#include "places/locate.h"
#include "tables/coords_format.h"

namespace cli {
namespace {

const char* kindName(TPlaceKind kind) {
    switch (kind) {
        case TPlaceKind::Point: return "point";
        case TPlaceKind::Municipality: return "municipality";
        case TPlaceKind::Chome: return "chome";
        case TPlaceKind::Block: return "block";
    }
    return "?";
}

std::string problem(TLocateStatus status, const std::string& input, TCoordsFormat own) {
    const std::string query = echoed(input);
    switch (status) {
        case TLocateStatus::NothingFound: return "no place matches '" + query + "'";
        case TLocateStatus::OutsideRange:
            return "'" + query + "' lies outside the range of every plane rectangular coordinate system";
        case TLocateStatus::NotPlaneSystem: return "'" + query + "': metres need a plane rectangular coordinate system";
        case TLocateStatus::Malformed: return "'" + query + "' is not a valid coordinate";
        case TLocateStatus::NoConversion:
            return "the map's coordinate system (" + std::string(CoordsFormatName(own)) + ") cannot take a coordinate";
        case TLocateStatus::Found: break;
    }
    return {};
}

}  // namespace

int runLocate(const std::vector<std::string>& allArgs) {
    TDatumShift shift = TDatumShift::dsHelmert;
    std::vector<std::string> args;
    for (size_t i = 0; i < allArgs.size(); ++i) {
        if (allArgs[i] != kDatumShiftOption) {
            args.push_back(allArgs[i]);
        } else if (auto problem = readDatumShift(allArgs, i, shift)) {
            return usageError("locate", *problem);
        }
    }
    if (args.size() < 2) return usageError("locate", "needs PATH and QUERY");
    std::string query = args[1];  // a query of several arguments is one text
    for (size_t i = 2; i < args.size(); ++i) query += " " + args[i];
    LoadedData data;
    if (!loadForMapUse("locate", args[0], data)) return kExitFailed;
    const TPlaceIndex places(*data.map);
    const TLocateResult found = Locate(places, query, kMaxPlaceMatches, shift);
    if (found.Status != TLocateStatus::Found) {
        std::cerr << "orvelle-cli locate: " << problem(found.Status, query, data.map->SourceFormat) << "\n";
        return kExitFailed;
    }
    for (const TPlaceMatch& m : found.Matches) {
        char numbers[160];
        std::snprintf(numbers, sizeof numbers, "%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f", m.Area.At.X, m.Area.At.Y,
                      m.Area.Min.X, m.Area.Min.Y, m.Area.Max.X, m.Area.Max.Y);
        std::cout << kindName(m.Kind) << '\t' << numbers << '\t' << sjis::toUtf8(m.Name) << '\n';
    }
    std::cout << std::flush;
    reportFallbacks("locate", found.Approximate ? 1 : 0);
    return reportFatal("locate", data);
}

}  // namespace cli
