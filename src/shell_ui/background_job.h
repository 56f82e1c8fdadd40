#pragma once
// Work on worker threads whose result is taken back on the thread that made
// the job (the window's). The work holds what it reads itself (a shared
// reference to the map), so the window never waits for it: a job that is no
// longer wanted is abandoned, asked to stop, and ends on its own. Only the
// job started last hands its result back; only destruction and Wait block.
#include <QObject>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

class TBackgroundJob {
public:
    using Finish = std::function<void()>;                   // runs on the job's thread
    using Work = std::function<Finish(std::stop_token)>;   // runs on a worker thread
    using Ended = std::function<void()>;

    // `ended` runs on the job's thread whenever the last worker has ended.
    explicit TBackgroundJob(Ended ended = {});
    ~TBackgroundJob();  // asks every worker to stop and waits for it
    TBackgroundJob(const TBackgroundJob&) = delete;
    TBackgroundJob& operator=(const TBackgroundJob&) = delete;

    // Starts `work` on a new worker thread; a job still running is abandoned first.
    void Start(Work work);
    // Asks the running work to stop; its finish still runs when it returns.
    void Stop();
    // Asks the running work to stop and drops its finish; returns at once.
    void Abandon();
    // Asks every worker to stop and waits for it; no finish runs.
    void Wait();
    // True from Start until the finish has run or was dropped.
    bool Running() const { return current_ != 0; }
    // True while a worker thread, also a stopped or abandoned one, has not ended.
    bool Busy() const { return !workers_.empty(); }

private:
    class TReceiver;
    struct Worker {
        int id;
        std::jthread thread;
    };
    // Takes the finished workers' results on the job's thread.
    void collect();

    Ended ended_;
    // Told, by an event that carries nothing, that results are waiting; its
    // destruction drops the events still queued.
    std::unique_ptr<QObject> receiver_;
    std::list<Worker> workers_;
    int lastId_ = 0;
    int current_ = 0;  // the worker whose finish runs; 0: none
    // Results handed over from the workers: guarded by a standard mutex so
    // that the hand-over is visible as such to the thread sanitizer.
    std::mutex doneMutex_;
    std::vector<std::pair<int, Finish>> done_;
};
