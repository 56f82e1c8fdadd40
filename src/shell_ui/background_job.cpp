#include "shell_ui/background_job.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

#include "base/thread_priority.h"

namespace {

const QEvent::Type kResultsWaiting = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

class TBackgroundJob::TReceiver : public QObject {
public:
    explicit TReceiver(TBackgroundJob& job) : job_(job) {}
    bool event(QEvent* e) override {
        if (e->type() != kResultsWaiting) return QObject::event(e);
        job_.collect();
        return true;
    }

private:
    TBackgroundJob& job_;
};

TBackgroundJob::TBackgroundJob(Ended ended) : ended_(std::move(ended)), receiver_(std::make_unique<TReceiver>(*this)) {}

TBackgroundJob::~TBackgroundJob() { Wait(); }

void TBackgroundJob::Start(Work work) {
    Abandon();
    const int id = ++lastId_;
    current_ = id;
    workers_.push_back({id, std::jthread([this, id, work = std::move(work)](std::stop_token stop) mutable {
                            LowerCurrentThreadPriority();
                            Finish finish = work(stop);
                            // What the work held (the map) goes before the job counts as ended.
                            work = nullptr;
                            {
                                const std::lock_guard lock(doneMutex_);
                                done_.emplace_back(id, std::move(finish));
                            }
                            QCoreApplication::postEvent(receiver_.get(), new QEvent(kResultsWaiting));
                        })});
}

void TBackgroundJob::Stop() {
    for (Worker& w : workers_)
        if (w.id == current_) w.thread.request_stop();
}

void TBackgroundJob::Abandon() {
    Stop();
    current_ = 0;
}

void TBackgroundJob::Wait() {
    current_ = 0;
    for (Worker& w : workers_) w.thread.request_stop();
    workers_.clear();  // each jthread joins as it goes
    const std::lock_guard lock(doneMutex_);
    done_.clear();
}

void TBackgroundJob::collect() {
    std::vector<std::pair<int, Finish>> done;
    {
        const std::lock_guard lock(doneMutex_);
        done.swap(done_);
    }
    for (auto& [id, finish] : done) {
        const auto worker = std::find_if(workers_.begin(), workers_.end(), [id](const Worker& w) { return w.id == id; });
        if (worker == workers_.end()) continue;  // waited for already
        workers_.erase(worker);                  // joins: the thread is past its last step
        Finish result = std::move(finish);
        if (id == current_) {
            current_ = 0;
            if (result) result();
        }
    }
    // What the results still held (the map) goes before the owner learns that the workers have ended.
    done.clear();
    if (workers_.empty() && ended_) ended_();
}
