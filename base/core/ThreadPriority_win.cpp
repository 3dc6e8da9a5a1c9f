#include <windows.h>

#include "base/core/ThreadPriority.h"

namespace orv {

bool LowerThisThreadPriority() { return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL) != 0; }

}  // namespace orv
