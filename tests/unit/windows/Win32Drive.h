#pragma once

// The side of a desktop test that plays the user: a thread of its own sends window
// messages to the real windows (Win32Input.h) and looks at the window model only through
// closures that the model's main thread runs (CMessageQueue::Send), as any worker must.

#include "ui/CMessageQueue.h"

#include <chrono>
#include <thread>
#include <type_traits>

namespace plintor::test {

// Runs `read` on the main thread and returns its result.
template <class Read>
auto OnMain(Read read)
{
    std::invoke_result_t<Read> result{};
    CMessageQueue::Instance().Send([&] { result = read(); });
    return result;
}

// Asks `condition` on the main thread until it holds, for at most a minute (a bound for a
// stuck run, not a measure of speed); false when it never held.
template <class Condition>
bool WaitUntil(Condition condition)
{
    for (int i = 0; i < 1200; ++i) {
        if (OnMain(condition))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}
