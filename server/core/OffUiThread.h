#pragma once
// Runs blocking network work on a worker thread while the calling (UI) thread's
// event loop keeps running, so the window paints, blinks and takes clicks.
#include <functional>

namespace orv {

// Returns when `work` has finished. Should the application quit meanwhile, the
// event loop ends early: `cancel` is then called (from this thread) to make
// `work` end soon, and the call waits for it.
void RunOffUiThread(const std::function<void()>& work, const std::function<void()>& cancel = {});

}  // namespace orv
