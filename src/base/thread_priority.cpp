#include "base/thread_priority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

void LowerCurrentThreadPriority() {
    // On Linux the nice value belongs to the thread (its task id), not the process.
    const auto self = static_cast<id_t>(gettid());
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, self);
    if (current == -1 && errno != 0) return;
    setpriority(PRIO_PROCESS, self, std::min(current + kBackgroundNiceIncrement, 19));
}
