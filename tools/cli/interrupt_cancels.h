#pragma once
// Ctrl-C, SIGTERM and SIGHUP as a cancel of a long command (export): while an
// InterruptCancels lives, the first such signal sets a flag the command's
// progress callback reads; the next one, of any of the three kinds, has its
// default effect and ends the program at once. A signal the caller ignores
// stays ignored.
#include <csignal>
#include <iterator>

namespace cli {

inline constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

class InterruptCancels {
public:
    InterruptCancels();
    ~InterruptCancels();
    InterruptCancels(const InterruptCancels&) = delete;
    InterruptCancels& operator=(const InterruptCancels&) = delete;

    static bool Interrupted();
    // "SIGINT", "SIGTERM" or "SIGHUP".
    static const char* SignalName();

private:
    struct sigaction previous_[std::size(kInterrupts)] {};
};

}  // namespace cli
