#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace plintor::platform {

// A result that one thread hands over to another, which waits for it at most a bound. Both
// hold it, so whichever ends last frees it: the waiter may give up and return while the
// work still runs, and what that work finishes with later goes nowhere.
template <class T>
class PendingResult {
public:
    // Called once, by the work, with what it found.
    void Finish(T value)
    {
        std::lock_guard lock(mutex);
        result = std::move(value);
        finished = true;
        done.notify_all();
    }

    // Moves the result into `out` when the work finished within `bound`; false when not.
    template <class Rep, class Period>
    bool TakeWithin(std::chrono::duration<Rep, Period> bound, T& out)
    {
        return TakeBy(std::chrono::steady_clock::now() + bound, out);
    }

    // The same, waiting until a point in time.
    template <class Clock, class Duration>
    bool TakeBy(std::chrono::time_point<Clock, Duration> deadline, T& out)
    {
        std::unique_lock lock(mutex);
        if (!done.wait_until(lock, deadline, [&] { return finished; }))
            return false;
        out = std::move(result);
        return true;
    }

private:
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    T result{};
};

// Runs `work` on a detached thread of its own and returns the result it will finish with;
// null when no thread could be started.
template <class T, class Work>
std::shared_ptr<PendingResult<T>> RunDetached(Work work)
{
    auto pending = std::make_shared<PendingResult<T>>();
    try {
        std::thread([pending, work = std::move(work)]() mutable { pending->Finish(work()); }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return pending;
}

}
