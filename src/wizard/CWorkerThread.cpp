#include "wizard/CWorkerThread.h"

#include "wizard/WizardBounds.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>

namespace plintor {

namespace {

std::atomic<int> liveBodies{0};
std::atomic<bool> failNextStart{false};

}

struct CWorkerThread::State {
    std::mutex mutex;
    std::condition_variable ended;
    bool running = false;
};

CWorkerThread::CWorkerThread() = default;

CWorkerThread::~CWorkerThread()
{
    WaitForEnd(kWatcherStopLimit);
}

bool CWorkerThread::Start(std::function<void()> body)
{
    if (thread.joinable() || failNextStart.exchange(false))
        return false;
    auto shared = std::make_shared<State>();
    shared->running = true;
    liveBodies.fetch_add(1);
    try {
        thread = std::thread([shared, work = std::move(body)] {
            work();
            {
                std::lock_guard lock(shared->mutex);
                shared->running = false;
            }
            liveBodies.fetch_sub(1);
            shared->ended.notify_all();
        });
    } catch (const std::system_error&) {
        liveBodies.fetch_sub(1);
        return false;
    }
    state = std::move(shared);
    return true;
}

bool CWorkerThread::IsRunning() const
{
    if (!state)
        return false;
    std::lock_guard lock(state->mutex);
    return state->running;
}

bool CWorkerThread::WaitForEnd(std::chrono::milliseconds limit)
{
    if (!thread.joinable())
        return true;
    bool ended;
    {
        std::unique_lock lock(state->mutex);
        ended = state->ended.wait_for(lock, limit, [&] { return !state->running; });
    }
    if (ended)
        thread.join();
    else
        thread.detach();
    state.reset();
    return ended;
}

int CWorkerThread::LiveCount()
{
    return liveBodies.load();
}

void CWorkerThread::FailNextStart()
{
    failNextStart.store(true);
}

}
