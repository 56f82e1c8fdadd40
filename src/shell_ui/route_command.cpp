#include "shell_ui/route_command.h"

void TRouteCommand::Reset() {
    job_.Drop();
    graph_.reset();
    graphMap_ = nullptr;
}

void TRouteCommand::Search(const TKDKObject& map, const TGeoPoint& from, const TGeoPoint& to) {
    job_.Drop();
    if (graphMap_ != &map) graph_.reset();
    graphMap_ = &map;
    job_.Start([this, &map, from, to]() -> TBackgroundJob::Finish {
        std::optional<TRoute> route;
        std::exception_ptr failure;
        try {
            if (!graph_) graph_ = std::make_unique<TRoadGraph>(map);
            route = graph_->Route(from, to);
        } catch (...) {
            failure = std::current_exception();
        }
        return [this, route = std::move(route), failure] { finished_(route, failure); };
    });
}
