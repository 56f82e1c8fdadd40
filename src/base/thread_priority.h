#pragma once
// Background threads (rendering, loading, export) run at a lower priority
// than the window's thread: when they keep every core busy, the window still
// gets a core the moment it has an event to handle, so it never stalls
// behind its own work.

// Lowers the calling thread's scheduling priority (its nice value, by
// kBackgroundNiceIncrement, at most to the lowest); best effort, a
// refusal by the system leaves the priority as it was.
void LowerCurrentThreadPriority();

inline constexpr int kBackgroundNiceIncrement = 10;
