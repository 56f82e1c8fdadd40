#include "shell_ui/route_command.h"

TRouteCommand::TRouteCommand(Finished finished, TBackgroundJob::Ended ended)
    : finished_(std::move(finished)), job_(std::move(ended)) {}

TRouteCommand::~TRouteCommand() = default;

void TRouteCommand::Reset() { job_.Abandon(); }

void TRouteCommand::Search(std::shared_ptr<RoadGraphOfMap> graph, const TGeoPoint& from, const TGeoPoint& to) {
    job_.Start([this, graph = std::move(graph), from, to](std::stop_token) -> TBackgroundJob::Finish {
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
