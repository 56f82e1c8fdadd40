#pragma once
// RenderWorker renders screen images on a thread of its own, so that the
// window's thread only takes finished images. The latest request wins: a
// request still waiting is replaced, and the image of one that a later
// request overtook is dropped. The worker holds a request's snapshot, and
// with it the map, from Request until the rendering has ended (Busy).
#include <QImage>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "render/map_snapshot.h"

class QObject;

class RenderWorker {
public:
    // A finished image and the view it shows.
    using Deliver = std::function<void(QImage image, const TViewState& view)>;
    using Idle = std::function<void()>;

    // `deliver` and `idle` run on the thread that makes the worker, from its
    // event loop (or from Finish): `deliver` with the image of the last
    // request, `idle` whenever the worker has let go of every snapshot.
    RenderWorker(Deliver deliver, Idle idle);
    // Waits for the rendering in progress to end; nothing more is delivered.
    ~RenderWorker();
    RenderWorker(const RenderWorker&) = delete;
    RenderWorker& operator=(const RenderWorker&) = delete;

    // Renders the snapshot (with its selection) on the worker.
    void Request(MapSnapshot snapshot);
    // Waits for the last request's image and delivers it at once, if it has
    // not been delivered yet.
    void Finish();
    // True while the worker holds a snapshot: one waits or is being rendered.
    bool Busy() const;

private:
    struct Done {
        uint64_t id;
        QImage image;
        TViewState view;
    };
    class Receiver;
    void run(std::stop_token stop);
    // On the owner's thread: delivers the last request's image when it is done.
    void deliverDone();

    Deliver deliver_;
    Idle idle_;
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::optional<MapSnapshot> waiting_;
    uint64_t requested_ = 0;  // the id of the last request
    bool rendering_ = false;
    std::optional<Done> done_;  // the last request's image until delivered
    // Told by an event that carries nothing that an image waits; the
    // results themselves pass under mutex_, where the thread sanitizer sees them.
    std::unique_ptr<QObject> receiver_;
    std::jthread thread_;  // last: started once the rest is there
};
