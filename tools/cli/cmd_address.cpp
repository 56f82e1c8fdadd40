// orvelle-cli address: prefecture, city, chome and block at a world point.
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "queries/map_queries.h"

namespace cli {

int runAddress(const std::vector<std::string>& args) {
    TGeoPoint p;
    if (args.size() != 3) return usageError("address", "needs PATH X Y");
    if (!parseWorldPoint(args[1], args[2], p)) return usageError("address", "X and Y must be numbers (metres)");
    LoadedData data;
    if (!loadForMapUse("address", args[0], data)) return kExitFailed;
    const TCentreAddress a = CentreAddress(*data.map, p);
    for (const std::string* line : {&a.Prefecture, &a.City, &a.Chome, &a.Block}) std::cout << sjis::toUtf8(*line) << "\n";
    return reportFatal("address", data);
}

}  // namespace cli
