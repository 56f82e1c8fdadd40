#include "shell_ui/route_command.h"

#include <mutex>

// The road graph of one map, built once by whichever search needs it first;
// a later search on the same map waits for that build instead of repeating it.
class TRouteCommand::TGraphOfMap {
public:
    explicit TGraphOfMap(std::shared_ptr<const TKDKObject> map) : map_(std::move(map)) {}
    const TKDKObject* Map() const { return map_.get(); }
    const TRoadGraph& Graph() {
        std::call_once(built_, [this] { graph_ = std::make_unique<TRoadGraph>(*map_); });
        return *graph_;
    }

private:
    std::shared_ptr<const TKDKObject> map_;
    std::once_flag built_;
    std::unique_ptr<TRoadGraph> graph_;
};

TRouteCommand::TRouteCommand(Finished finished, TBackgroundJob::Ended ended)
    : finished_(std::move(finished)), job_(std::move(ended)) {}

TRouteCommand::~TRouteCommand() = default;

void TRouteCommand::Reset() {
    job_.Abandon();
    graph_.reset();
}

void TRouteCommand::Search(std::shared_ptr<const TKDKObject> map, const TGeoPoint& from, const TGeoPoint& to) {
    if (!graph_ || graph_->Map() != map.get()) graph_ = std::make_shared<TGraphOfMap>(std::move(map));
    job_.Start([this, graph = graph_, from, to](std::stop_token) -> TBackgroundJob::Finish {
        std::optional<TRoute> route;
        std::exception_ptr failure;
        try {
            route = graph->Graph().Route(from, to);
        } catch (...) {
            failure = std::current_exception();
        }
        return [this, route = std::move(route), failure] { finished_(route, failure); };
    });
}
