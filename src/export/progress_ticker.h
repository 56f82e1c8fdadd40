#pragma once
// Counting the features an export writes and asking its progress callback
// whether to go on.
#include <cstdint>

#include "export/export_options.h"

// Calls the progress callback every thousand features or so (a few
// milliseconds of writing), so that a cancel takes effect promptly; false:
// cancelled.
class ProgressTicker {
public:
    ProgressTicker(const TExportProgress& progress, int64_t total) : progress_(progress), total_(total) {}
    bool Step() {
        ++written_;
        return (written_ & 1023) != 0 || StillWanted();
    }
    // Asks again without a new feature (during the steps after writing); once
    // cancelled, stays cancelled.
    bool StillWanted() {
        if (!cancelled_ && progress_) cancelled_ = !progress_(written_, total_);
        return !cancelled_;
    }
    bool Cancelled() const { return cancelled_; }

private:
    const TExportProgress& progress_;
    int64_t total_;
    int64_t written_ = 0;
    bool cancelled_ = false;
};

