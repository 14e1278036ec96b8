#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace plintor {

// One worker thread of the wizard: started once, ending by itself when its body returns,
// waited for with a bound. The thread's bookkeeping is shared with the thread, so a thread
// that outlives its starter's wait (and is then let go) never reaches freed memory; such
// a body may touch only what it owns or what outlives the wizard.
//
// LiveCount tells how many worker bodies of the process are still running, so that tests
// can fail when one is left behind.
class CWorkerThread {
public:
    CWorkerThread();
    // A thread that still runs is waited for with `kWatcherStopLimit`, then let go.
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts `body` on a new thread. False when the thread could not be made (the body
    // does not run) or a thread of this object has not been waited for yet.
    bool Start(std::function<void()> body);
    // True from a successful Start until WaitForEnd.
    bool Started() const { return thread.joinable(); }
    // True while the body has not returned.
    bool IsRunning() const;
    // Waits up to `limit` for the body to return, then joins the thread, or lets it go
    // when it is still running. True when it ended (or nothing was started).
    bool WaitForEnd(std::chrono::milliseconds limit);

    // Worker bodies of the process that have not returned yet.
    static int LiveCount();
    // Fault seam: the next Start fails as if the system refused a new thread.
    static void FailNextStart();

private:
    struct State;
    std::shared_ptr<State> state;
    std::thread thread;
};

}
