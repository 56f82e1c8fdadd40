// orvelle-cli route: the shortest route along the roads between two world points.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <utility>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "json_writer.h"
#include "output_file.h"
#include "routing/road_graph.h"

namespace cli {
namespace {

// An end point farther from every road than this is taken for a mistake (a
// point outside the data, X and Y swapped) rather than walked to the road.
constexpr double kMaxRoadDistance = 1000;

std::string metres(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string distanceText(double metresAway) {
    char text[32];
    if (metresAway >= 1000)
        std::snprintf(text, sizeof text, "%.1f km", metresAway / 1000);
    else
        std::snprintf(text, sizeof text, "%.0f m", metresAway);
    return text;
}

// What keeps the route from starting: no roads, or an end point far from all of them.
std::string endPointProblem(const TRoadGraph& roads, const TGeoPoint& from, const TGeoPoint& to) {
    if (roads.EdgeCount() == 0) return "the map has no roads";
    std::string problem;
    for (const auto& [point, name] : {std::pair{&from, "start"}, std::pair{&to, "end"}}) {
        const std::optional<TRoadSnap> snap = roads.Snap(*point);
        if (snap && snap->Distance > kMaxRoadDistance)
            problem += std::string(problem.empty() ? "" : "; ") + "the nearest road is " +
                       distanceText(snap->Distance) + " from the " + name + " point";
    }
    return problem;
}

// One LineString feature in the map's coordinate system, with length and names.
std::string geoJson(const TRoute& route) {
    std::ostringstream out;
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
    return out.str();
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
    if (const std::string problem = endPointProblem(roads, from, to); !problem.empty())
        return failure("route", problem);
    const std::optional<TRoute> route = roads.Route(from, to);
    if (!route) return failure("route", "no road connects the two points");
    std::cout << "length " << metres(route->Length) << " m, " << route->Arcs.size() << " arcs, snapped "
              << metres(route->From.Distance) << " m / " << metres(route->To.Distance) << " m\n";
    for (const std::string& name : route->Names()) std::cout << sjis::toUtf8(name) << "\n";
    if (!geojson.empty())
        if (const int status = writeOutputFile("route", geojson, geoJson(*route)); status != kExitOk) return status;
    return reportFatal("route", data);
}

}  // namespace cli
