// orvelle-cli address: prefecture, city, chome and block at a world point, or
// at each point of a list (one tab-separated line per point).
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "point_list.h"
#include "queries/map_queries.h"

namespace cli {

int runAddress(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string pointsSource;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--points") {
            if (i + 1 == args.size()) return usageError("address", "--points needs FILE or -");
            pointsSource = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    const bool batch = !pointsSource.empty();
    int status = kExitOk;
    const auto points = queryPoints("address", positional, pointsSource, status);
    if (!points) return status;
    LoadedData data;
    if (!loadForMapUse("address", positional[0], data)) return kExitFailed;
    for (const QueryPoint& q : *points) {
        const TCentreAddress a = CentreAddress(*data.map, q.at);
        if (!batch) {
            for (const std::string* line : {&a.Prefecture, &a.City, &a.Chome, &a.Block})
                std::cout << sjis::toUtf8(*line) << "\n";
            continue;
        }
        std::cout << q.x << '\t' << q.y;
        for (const std::string* field : {&a.Prefecture, &a.City, &a.Chome, &a.Block})
            std::cout << '\t' << sjis::toUtf8(*field);
        std::cout << '\n';
    }
    std::cout << std::flush;
    return reportFatal("address", data);
}

}  // namespace cli
