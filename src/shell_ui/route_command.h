#pragma once
// The route between two points chosen on the map ("ここから", "ここまで").
// The route is searched on a worker thread, on the document's road graph
// (built there on first use), so the window stays live on a large
// municipality; the result comes back on the window's thread. The search
// holds its own reference to the graph, which keeps its map alive.
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "document/road_graph_of_map.h"
#include "shell_ui/background_job.h"

class TRouteCommand {
public:
    // The route found, or none when the points lie on unconnected roads or
    // the map has no roads; or the failure that ended the search.
    using Finished = std::function<void(const std::optional<TRoute>&, std::exception_ptr)>;

    // `ended` runs on the window's thread whenever no search is left running.
    TRouteCommand(Finished finished, TBackgroundJob::Ended ended);
    ~TRouteCommand();
    TRouteCommand(const TRouteCommand&) = delete;
    TRouteCommand& operator=(const TRouteCommand&) = delete;

    // Searches the route on `graph`; the result of a search still running is dropped.
    void Search(std::shared_ptr<RoadGraphOfMap> graph, const TGeoPoint& from, const TGeoPoint& to);
    // Drops the result of a running search, at once.
    void Reset();
    // Waits for every search that has not ended (at shutdown).
    void Wait() { job_.Wait(); }
    // True until the result of the last search is delivered.
    bool Running() const { return job_.Running(); }
    // True while a search thread, also one whose result was dropped, reads a map.
    bool Busy() const { return job_.Busy(); }

private:
    Finished finished_;
    TBackgroundJob job_;                   // last: waited for before the rest goes
};
