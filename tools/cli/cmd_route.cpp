// orvelle-cli route: the shortest route along the roads between two world points.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "json_writer.h"
#include "routing/road_graph.h"

namespace cli {
namespace {

std::string metres(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

// One LineString feature in the map's coordinate system, with length and names.
bool writeGeoJson(const std::string& path, const TRoute& route) {
    std::ofstream out(path);
    if (!out) return false;
    JsonWriter w(out);
    w.beginObject().key("type").value("FeatureCollection").key("features").beginArray();
    w.beginObject().key("type").value("Feature").key("properties").beginObject();
    w.key("length_m").value(route.Length).key("arcs").value(static_cast<int64_t>(route.Arcs.size()));
    w.key("names").beginArray();
    for (const std::string& name : route.Names()) w.value(sjis::toUtf8(name));
    w.endArray().endObject();
    w.key("geometry").beginObject().key("type").value("LineString").key("coordinates").beginArray();
    for (const TGeoPoint2D& p : route.Points) w.beginArray().value(p.X).value(p.Y).endArray();
    w.endArray().endObject().endObject();
    w.endArray().endObject();
    out << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int runRoute(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string geojson;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--geojson") {
            if (i + 1 == args.size()) return usageError("route", "--geojson needs a file");
            geojson = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    TGeoPoint from, to;
    if (positional.size() != 5) return usageError("route", "needs PATH X1 Y1 X2 Y2");
    if (!parseWorldPoint(positional[1], positional[2], from) || !parseWorldPoint(positional[3], positional[4], to))
        return usageError("route", "the coordinates must be numbers (metres)");
    LoadedData data;
    if (!loadForMapUse("route", positional[0], data)) return kExitFailed;
    const TRoadGraph roads(*data.map);
    const std::optional<TRoute> route = roads.Route(from, to);
    if (!route) {
        std::cerr << "orvelle-cli route: "
                  << (roads.EdgeCount() == 0 ? "the map has no roads" : "no road connects the two points") << "\n";
        return kExitFailed;
    }
    std::cout << "length " << metres(route->Length) << " m, " << route->Arcs.size() << " arcs, snapped "
              << metres(route->From.Distance) << " m / " << metres(route->To.Distance) << " m\n";
    for (const std::string& name : route->Names()) std::cout << sjis::toUtf8(name) << "\n";
    if (!geojson.empty() && !writeGeoJson(geojson, *route)) {
        std::cerr << "orvelle-cli route: cannot write " << geojson << "\n";
        return kExitFailed;
    }
    return reportFatal("route", data);
}

}  // namespace cli
