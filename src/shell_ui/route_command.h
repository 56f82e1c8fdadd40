#pragma once
// The route between two points chosen on the map ("ここから", "ここまで").
// The road graph is built on first use and the route is searched on a worker
// thread, so the window stays live on a large municipality; the result comes
// back on the window's thread. The graph belongs to the map it was built
// from: Reset() before that map changes or goes.
#include <QObject>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "routing/road_graph.h"
#include "shell_ui/background_job.h"

class TRouteCommand {
public:
    // The route found, or none when the points lie on unconnected roads or
    // the map has no roads; or the failure that ended the search.
    using Finished = std::function<void(const std::optional<TRoute>&, std::exception_ptr)>;

    // `context` is the window whose thread receives the result.
    TRouteCommand(QObject* context, Finished finished) : job_(context), finished_(std::move(finished)) {}
    ~TRouteCommand() { job_.Drop(); }  // before the graph the worker may be using goes
    TRouteCommand(const TRouteCommand&) = delete;
    TRouteCommand& operator=(const TRouteCommand&) = delete;

    // Searches the route on `map`; a search still running ends first and its
    // result is dropped.
    void Search(const TKDKObject& map, const TGeoPoint& from, const TGeoPoint& to);
    // Waits for a running search, drops its result and forgets the graph.
    void Reset();
    bool Running() const { return job_.Running(); }

private:
    TBackgroundJob job_;
    Finished finished_;
    // Touched by the worker alone while a search runs.
    std::unique_ptr<TRoadGraph> graph_;
    const TKDKObject* graphMap_ = nullptr;
};
