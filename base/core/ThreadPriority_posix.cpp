#include "base/core/ThreadPriority.h"

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace orv {

bool LowerThisThreadPriority() {
#ifdef __linux__
    // On Linux a nice value belongs to a thread, named by its own id.
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 10) == 0;
#else
    return false;
#endif
}

}  // namespace orv
