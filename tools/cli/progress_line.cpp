#include "progress_line.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace cli {
namespace {

std::string duration(double seconds) {
    const long s = static_cast<long>(seconds + 0.5);
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

}  // namespace

ProgressLine::ProgressLine(bool quiet)
    : shown_(!quiet && isatty(STDERR_FILENO)), start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
    std::lock_guard lock(mutex_);
    clear();
}

void ProgressLine::clear() {
    if (!shown_ || text_.empty()) return;
    std::cerr << "\r\x1b[K" << std::flush;
}

void ProgressLine::Update(size_t done, size_t total, int64_t features, int64_t featuresToWrite) {
    if (!shown_) return;
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (!text_.empty() && now - drawn_ < std::chrono::milliseconds(100) && done < total) return;
    drawn_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    double fraction = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0;
    if (featuresToWrite > 0) fraction = static_cast<double>(features) / static_cast<double>(featuresToWrite);
    text_ = "sources " + std::to_string(done) + "/" + std::to_string(total) + ", " + std::to_string(features) +
            " features";
    if (elapsed > 0.5) text_ += ", " + std::to_string(static_cast<int64_t>(static_cast<double>(features) / elapsed)) + " features/s";
    if (fraction > 0 && fraction < 1) text_ += ", " + duration(elapsed * (1 - fraction) / fraction) + " left";
    std::cerr << "\r\x1b[K" << text_ << std::flush;
}

void ProgressLine::Clear() {
    std::lock_guard lock(mutex_);
    clear();
    text_.clear();
    shown_ = false;
}

void ProgressLine::Note(const std::string& line) {
    std::lock_guard lock(mutex_);
    clear();
    std::cerr << line << "\n";
    if (shown_ && !text_.empty()) std::cerr << text_;
    std::cerr << std::flush;
}

}  // namespace cli
