// orvelle-cli pick: the details of every feature at a world point, as a click
// shows them, or at each point of a list (each preceded by "# X Y").
#include <cctype>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "point_list.h"
#include "queries/map_queries.h"

namespace cli {

int runPick(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string pointsSource;
    double tolerance = 1.5;  // 3 pixels at 2 pixels per metre
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--tolerance") {
            if (i + 1 == args.size() || !parseNumber(args[i + 1], tolerance) || tolerance < 0)
                return usageError("pick", "--tolerance needs a number of metres, 0 or more");
            ++i;
        } else if (a == "--points") {
            if (i + 1 == args.size()) return usageError("pick", "--points needs FILE or -");
            pointsSource = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1])) && a[1] != '.') {
            return usageError("pick", "unknown option " + echoed(a));
        } else {
            positional.push_back(a);
        }
    }
    const bool batch = !pointsSource.empty();
    int status = kExitOk;
    const auto points = queryPoints("pick", positional, pointsSource, status);
    if (!points) return status;
    LoadedData data;
    if (!loadForMapUse("pick", positional[0], data)) return kExitFailed;
    for (const QueryPoint& q : *points) {
        if (batch) std::cout << "# " << q.x << " " << q.y << "\n";
        std::cout << sjis::toUtf8(PointedDetails(*data.map, q.at, tolerance));
    }
    std::cout << std::flush;
    return reportFatal("pick", data);
}

}  // namespace cli
