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

// Asks `condition` on the main thread until it holds, for at most `bound` (a bound for a
// stuck run, not a measure of speed); false when it never held.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::seconds bound = std::chrono::seconds(60))
{
    for (auto waited = std::chrono::milliseconds(0); waited < bound; waited += std::chrono::milliseconds(50)) {
        if (OnMain(condition))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}
