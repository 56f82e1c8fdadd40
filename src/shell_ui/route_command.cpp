#include "shell_ui/route_command.h"

TRouteCommand::TRouteCommand(QObject* context, Finished finished)
    : context_(context), finished_(std::move(finished)) {}

TRouteCommand::~TRouteCommand() { wait(); }

void TRouteCommand::wait() {
    if (worker_.joinable()) worker_.join();
}

void TRouteCommand::Reset() {
    wait();
    ++generation_;
    running_ = false;
    graph_.reset();
    graphMap_ = nullptr;
}

void TRouteCommand::Search(const TKDKObject& map, const TGeoPoint& from, const TGeoPoint& to) {
    wait();
    if (graphMap_ != &map) graph_.reset();
    graphMap_ = &map;
    const int generation = ++generation_;
    running_ = true;
    // The worker alone touches graph_ until it ends; the window waits for it
    // before it builds another or lets the map change.
    worker_ = std::thread([this, &map, from, to, generation] {
        std::optional<TRoute> route;
        std::exception_ptr failure;
        try {
            if (!graph_) graph_ = std::make_unique<TRoadGraph>(map);
            route = graph_->Route(from, to);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            context_,
            [this, generation, route = std::move(route), failure] {
                if (generation != generation_) return;
                wait();
                running_ = false;
                finished_(route, failure);
            },
            Qt::QueuedConnection);
    });
}
