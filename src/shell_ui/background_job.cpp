#include "shell_ui/background_job.h"

void TBackgroundJob::join() {
    if (worker_.joinable()) worker_.join();
}

void TBackgroundJob::Drop() {
    join();
    ++generation_;
    running_ = false;
}

void TBackgroundJob::Start(Work work) {
    Drop();
    const int generation = generation_;
    running_ = true;
    worker_ = std::thread([this, generation, work = std::move(work)] {
        Finish finish = work();
        QMetaObject::invokeMethod(
            context_,
            [this, generation, finish = std::move(finish)] {
                if (generation != generation_) return;
                join();
                running_ = false;
                if (finish) finish();
            },
            Qt::QueuedConnection);
    });
}
