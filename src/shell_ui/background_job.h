#pragma once
// One piece of work at a time on a worker thread, its result taken back on
// the window's thread. The work returns what to do with its result there;
// that step is dropped when the job was waited for (Drop) or replaced
// before it ran, so a window never sees the answer to a question it has
// withdrawn. The window waits for the job before it changes anything the
// work reads.
#include <QObject>
#include <functional>
#include <thread>

class TBackgroundJob {
public:
    using Finish = std::function<void()>;     // runs on the context's thread
    using Work = std::function<Finish()>;      // runs on the worker thread

    explicit TBackgroundJob(QObject* context) : context_(context) {}
    ~TBackgroundJob() { Drop(); }
    TBackgroundJob(const TBackgroundJob&) = delete;
    TBackgroundJob& operator=(const TBackgroundJob&) = delete;

    // Starts `work`; a job still running is waited for first and its finish dropped.
    void Start(Work work);
    // Waits for a running job and drops its finish.
    void Drop();
    // True from Start until the finish has run or was dropped.
    bool Running() const { return running_; }

private:
    void join();

    QObject* context_;
    std::thread worker_;
    int generation_ = 0;
    bool running_ = false;
};
