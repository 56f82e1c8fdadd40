#pragma once
// The progress of a long command on standard error: sources done of all,
// features written, features per second and the time left, on one line
// redrawn in place (at most ten times a second). Shown only when standard
// error is a terminal and the command was not asked to be quiet.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

namespace cli {

class ProgressLine {
public:
    explicit ProgressLine(bool quiet);
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // `done` of `total` sources (the part of the current ones by their
    // features when `featuresToWrite` is known), `features` written.
    void Update(size_t done, size_t total, int64_t features, int64_t featuresToWrite = 0);
    // Prints `line` on standard error on a line of its own, the progress line
    // redrawn below it. Any thread may call it.
    void Note(const std::string& line);
    // Takes the line away for good (before the command's results are printed).
    void Clear();

private:
    void clear();

    bool shown_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point start_, drawn_;
    std::string text_;
};

}  // namespace cli
