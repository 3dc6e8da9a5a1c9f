#pragma once
// The calling thread yields the processor to the program's other threads: the
// worker that runs a transfer calls it, so the window never misses a frame.
// setpriority on Linux (ThreadPriority_posix.cpp), SetThreadPriority on Windows.

namespace orv {

// True when the platform took the lower priority.
bool LowerThisThreadPriority();

}  // namespace orv
