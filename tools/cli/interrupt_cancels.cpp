#include "interrupt_cancels.h"

namespace cli {
namespace {

volatile std::sig_atomic_t gInterruptedBy = 0;
volatile std::sig_atomic_t gHandled[std::size(kInterrupts)] = {};  // which ones onInterrupt handles

// The first interrupt cancels; the next one, of any of the three kinds, has
// its default effect and ends the program at once.
extern "C" void onInterrupt(int signal) {
    gInterruptedBy = signal;
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (size_t i = 0; i < std::size(kInterrupts); ++i)
        if (gHandled[i] && kInterrupts[i] != signal) sigaction(kInterrupts[i], &fallback, nullptr);
}

}  // namespace

InterruptCancels::InterruptCancels() {
    gInterruptedBy = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND | SA_RESTART;  // RESETHAND: the same signal again ends at once
    // Another interrupt waits until the handler has made it end the program.
    sigemptyset(&action.sa_mask);
    for (int s : kInterrupts) sigaddset(&action.sa_mask, s);
    for (size_t i = 0; i < std::size(kInterrupts); ++i) {
        sigaction(kInterrupts[i], nullptr, &previous_[i]);
        gHandled[i] = previous_[i].sa_handler != SIG_IGN;
        if (gHandled[i]) sigaction(kInterrupts[i], &action, nullptr);
    }
}

InterruptCancels::~InterruptCancels() {
    for (size_t i = 0; i < std::size(kInterrupts); ++i) sigaction(kInterrupts[i], &previous_[i], nullptr);
}

bool InterruptCancels::Interrupted() { return gInterruptedBy != 0; }

const char* InterruptCancels::SignalName() {
    switch (gInterruptedBy) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        default: return "SIGHUP";
    }
}

}  // namespace cli
