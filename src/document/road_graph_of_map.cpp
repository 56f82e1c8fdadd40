#include "document/road_graph_of_map.h"

RoadGraphOfMap::RoadGraphOfMap(std::shared_ptr<const TKDKObject> map) : map_(std::move(map)) {}

RoadGraphOfMap::~RoadGraphOfMap() = default;

const TRoadGraph& RoadGraphOfMap::Graph() {
    std::call_once(built_, [this] { graph_ = std::make_unique<TRoadGraph>(*map_); });
    return *graph_;
}
