// A worker thread lowers its own priority, and only its own, on either platform.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <thread>

#include "base/core/ThreadPriority.h"

namespace {

int OwnPriority() {
#ifdef _WIN32
    return GetThreadPriority(GetCurrentThread());
#else
    return getpriority(PRIO_PROCESS, 0);  // on Linux: the calling thread's nice value
#endif
}

TEST(ThreadPriority, TheWorkerYieldsTheCallerKeepsItsOwn) {
    const int before = OwnPriority();
    int lowered = 0;
    bool taken = false;
    std::thread worker([&] {
        taken = orv::LowerThisThreadPriority();
        lowered = OwnPriority();
    });
    worker.join();
    ASSERT_TRUE(taken);
#ifdef _WIN32
    EXPECT_EQ(lowered, THREAD_PRIORITY_BELOW_NORMAL);
#else
    EXPECT_EQ(lowered, before + 10 > 19 ? 19 : before + 10);
#endif
    EXPECT_EQ(OwnPriority(), before);
}

}  // namespace
