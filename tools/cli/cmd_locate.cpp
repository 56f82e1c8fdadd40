// orvelle-cli locate: the places a text names, or the point a coordinate gives,
// one tab-separated line each: kind, X, Y, min X, min Y, max X, max Y, name.
// With --queries, every line of a list answered as CSV (places/address_list).
#include <cstdio>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "datum_shift_option.h"
#include "input_lines.h"
#include "places/address_list.h"
#include "places/locate.h"
#include "tables/coords_format.h"

namespace cli {
namespace {

constexpr std::string_view kQueriesOption = "--queries";

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

// Answers every line of the list in order, the unmatched ones too (each
// also named on standard error with the reason).
int answerList(const std::string& path, const std::string& source, TDatumShift shift) {
    std::string unreadable;
    const std::optional<std::vector<std::string>> queries = readInputLines(source, unreadable);
    if (!queries) {
        std::cerr << "orvelle-cli locate: " << unreadable << "\n";
        return kExitFailed;
    }
    LoadedData data;
    if (!loadForMapUse("locate", path, data)) return kExitFailed;
    const TPlaceIndex places(*data.map);
    const AddressList list(places, shift);
    std::string out = AddressList::Header();
    size_t approximate = 0;
    for (size_t i = 0; i < queries->size(); ++i) {
        const TLocateResult r = list.Answer((*queries)[i], out);
        if (r.Status != TLocateStatus::Found)
            std::cerr << "orvelle-cli locate: " << echoed(source) << ":" << i + 1 << ": "
                      << problem(r.Status, (*queries)[i], data.map->SourceFormat) << "\n";
        if (r.Approximate) ++approximate;
    }
    std::cout << out << std::flush;
    reportFallbacks("locate", approximate);
    return reportFatal("locate", data);
}

}  // namespace

int runLocate(const std::vector<std::string>& allArgs) {
    TDatumShift shift = TDatumShift::dsHelmert;
    std::vector<std::string> args;
    std::string queriesSource;
    for (size_t i = 0; i < allArgs.size(); ++i) {
        if (allArgs[i] == kQueriesOption) {
            if (i + 1 == allArgs.size()) return usageError("locate", "--queries needs FILE or -");
            queriesSource = allArgs[++i];
        } else if (allArgs[i] != kDatumShiftOption) {
            args.push_back(allArgs[i]);
        } else if (auto problem = readDatumShift(allArgs, i, shift)) {
            return usageError("locate", *problem);
        }
    }
    if (!queriesSource.empty()) {
        if (args.size() != 1) return usageError("locate", "needs PATH --queries FILE|- and no QUERY");
        return answerList(args[0], queriesSource, shift);
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
