#pragma once
// The road graph of one map, built once by whichever route search needs it
// first; a later search on the same map waits for that build instead of
// repeating it. It holds its own reference to the map, so a search running
// on a worker keeps the map alive after the document has let it go.
#include <memory>
#include <mutex>

#include "map/kdk_object.h"
#include "routing/road_graph.h"

class RoadGraphOfMap {
public:
    explicit RoadGraphOfMap(std::shared_ptr<const TKDKObject> map);
    ~RoadGraphOfMap();
    RoadGraphOfMap(const RoadGraphOfMap&) = delete;
    RoadGraphOfMap& operator=(const RoadGraphOfMap&) = delete;

    const TKDKObject* Map() const { return map_.get(); }
    // Builds the graph on the first call, on the calling thread.
    const TRoadGraph& Graph();

private:
    std::shared_ptr<const TKDKObject> map_;
    std::once_flag built_;
    std::unique_ptr<TRoadGraph> graph_;
};
