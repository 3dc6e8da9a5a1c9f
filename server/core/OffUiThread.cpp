#include "server/core/OffUiThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <atomic>
#include <thread>

#include "base/core/ThreadPriority.h"

namespace orv {

void RunOffUiThread(const std::function<void()>& work, const std::function<void()>& cancel) {
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        // The window's thread comes first: a transfer that wants the processor
        // waits a moment rather than the window missing a frame.
        LowerThisThreadPriority();
        work();
        done = true;
        // Queued: runs inside loop.exec() even when the work ends before it starts.
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    // Only the application's quitting ends the loop before the work is done.
    if (!done && cancel) cancel();
    worker.join();
    // Drop the quit call if it is still queued for the loop, which is about to go.
    QCoreApplication::removePostedEvents(&loop);
}

}  // namespace orv
