// orvelle-cli pick: the details of every feature at a world point, as a click shows them.
#include <cctype>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"

namespace cli {

int runPick(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    double tolerance = 1.5;  // 3 pixels at 2 pixels per metre
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--tolerance") {
            if (i + 1 == args.size() || !parseNumber(args[i + 1], tolerance) || tolerance < 0)
                return usageError("pick", "--tolerance needs a number of metres, 0 or more");
            ++i;
        } else if (args[i].size() > 1 && args[i][0] == '-' && !std::isdigit(static_cast<unsigned char>(args[i][1]))) {
            return usageError("pick", "unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    double x, y;
    if (positional.size() != 3) return usageError("pick", "needs PATH X Y");
    if (!parseNumber(positional[1], x) || !parseNumber(positional[2], y))
        return usageError("pick", "X and Y must be numbers (world metres)");
    LoadedData data = loadData(positional[0]);
    if (!data.map) return data.fatal ? reportFatal("pick", data) : kExitFailed;
    // Clicks come after a drawing, which has put the polygons in drawing order.
    data.map->EnsurePolygonsOrdered();
    std::cout << sjis::toUtf8(data.map->PointedDetails(MakePoint(x, y, 0), tolerance)) << std::flush;
    return reportFatal("pick", data);
}

}  // namespace cli
