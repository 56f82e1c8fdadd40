// orvelle-cli address: prefecture, city, chome and block at a world point.
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"

namespace cli {

int runAddress(const std::vector<std::string>& args) {
    double x, y;
    if (args.size() != 3) return usageError("address", "needs PATH X Y");
    if (!parseNumber(args[1], x) || !parseNumber(args[2], y))
        return usageError("address", "X and Y must be numbers (world metres)");
    LoadedData data = loadData(args[0]);
    if (!data.map) return data.fatal ? reportFatal("address", data) : kExitFailed;
    // The address is taken after a drawing, which has put the polygons in drawing order.
    data.map->EnsurePolygonsOrdered();
    const TCentreAddress a = data.map->CentreAddress(MakePoint(x, y, 0));
    std::cout << sjis::toUtf8(a.Prefecture) << "\n"
              << sjis::toUtf8(a.City) << "\n"
              << sjis::toUtf8(a.Chome) << "\n"
              << sjis::toUtf8(a.Block) << "\n";
    return reportFatal("address", data);
}

}  // namespace cli
