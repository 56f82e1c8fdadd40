#include "render/render_worker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "base/thread_priority.h"
#include "render/map_renderer.h"

namespace {

const QEvent::Type kImageWaiting = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

class RenderWorker::Receiver : public QObject {
public:
    explicit Receiver(RenderWorker& worker) : worker_(worker) {}
    bool event(QEvent* e) override {
        if (e->type() != kImageWaiting) return QObject::event(e);
        worker_.deliverDone();
        return true;
    }

private:
    RenderWorker& worker_;
};

RenderWorker::RenderWorker(Deliver deliver, Idle idle)
    : deliver_(std::move(deliver)),
      idle_(std::move(idle)),
      receiver_(std::make_unique<Receiver>(*this)),
      thread_([this](std::stop_token stop) { run(stop); }) {}

RenderWorker::~RenderWorker() {
    {
        const std::lock_guard lock(mutex_);
        waiting_.reset();
    }
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
}

void RenderWorker::Request(MapSnapshot snapshot) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = std::move(snapshot);
        ++requested_;
        done_.reset();
    }
    changed_.notify_all();
}

bool RenderWorker::Busy() const {
    const std::lock_guard lock(mutex_);
    return waiting_ || rendering_;
}

void RenderWorker::Finish() {
    std::optional<Done> done;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !waiting_ && !rendering_; });
        done.swap(done_);
    }
    if (done) deliver_(std::move(done->image), done->view);
}

void RenderWorker::deliverDone() {
    std::optional<Done> done;
    bool idle = false;
    {
        const std::lock_guard lock(mutex_);
        done.swap(done_);
        idle = !waiting_ && !rendering_;
    }
    if (done) deliver_(std::move(done->image), done->view);
    if (idle && idle_) idle_();
}

void RenderWorker::run(std::stop_token stop) {
    LowerCurrentThreadPriority();
    for (;;) {
        std::optional<MapSnapshot> snapshot;
        uint64_t id = 0;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait(lock, stop, [this] { return waiting_.has_value(); })) return;
            snapshot.swap(waiting_);
            id = requested_;
            rendering_ = true;
        }
        QImage image;
        bool rendered = false;
        try {
            image = RenderImage(*snapshot, TSelectionShown::Yes);
            rendered = true;
        } catch (...) {
            // Out of memory for this view: the previous image stays on screen.
        }
        const TViewState view = snapshot->Viewport.View;
        snapshot.reset();  // lets go of the map before the worker counts as idle
        {
            const std::lock_guard lock(mutex_);
            rendering_ = false;
            if (rendered && id == requested_) done_ = Done{id, std::move(image), view};
        }
        changed_.notify_all();
        QCoreApplication::postEvent(receiver_.get(), new QEvent(kImageWaiting));
    }
}
