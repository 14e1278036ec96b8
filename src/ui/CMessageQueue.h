#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace plintor {

// The one message queue of a run. It belongs to the main thread and carries closures:
// a posted window message is a closure that delivers the message to its window, a sent one
// is a closure whose completion the sending worker waits for. Any thread may post; only
// the main thread runs what is queued, in the order it was queued, from its modal loops
// (RunPending, WaitAndRun). A worker's Send blocks until the main thread has run the
// closure; it gives up only when the main thread did not start it within
// kSendWaitLimit (the closure is then dropped, never run late), and once the closure has
// started the worker waits for its end. Reset (end of a run) drops what is queued and
// releases every waiting sender.
class CMessageQueue {
public:
    using Task = std::function<void()>;

    // How long a worker's Send waits for the main thread to take its closure.
    static constexpr std::chrono::seconds kSendWaitLimit{120};

    static CMessageQueue& Instance();

    // The calling thread becomes the main thread (the queue's owner).
    void AttachToCurrentThread();
    bool IsMainThread() const;

    // Queues `task`; any thread. Wakes the main thread's loop.
    void Post(Task task);
    // Runs `task` on the main thread: at once when called there, else queued and waited
    // for. True when it ran.
    bool Send(Task task);

    // Main thread: runs everything queued now (not what those closures queue meanwhile
    // beyond the first pass); returns how many ran.
    int RunPending();
    // Main thread: waits up to `limit` for something to be queued and runs one closure.
    // True when one ran.
    bool WaitAndRunOne(std::chrono::milliseconds limit);
    std::size_t PendingCount() const;

    // Drops what is queued and releases waiting senders (their Send returns false).
    void Reset();

    // Called (from the posting thread) after every Post, so that a front end whose loop
    // sleeps elsewhere can wake up and call RunPending. Once this returns, the handler it
    // replaced is neither running nor called again; a handler must not block.
    void SetWakeHandler(std::function<void()> handler);

private:
    struct SendState;
    struct Entry {
        Task task;
        std::shared_ptr<SendState> send;   // set for a cross-thread Send
    };
    void Enqueue(Entry entry);
    bool PopOne(Entry& entry);
    static void RunEntry(Entry& entry);

    mutable std::mutex mutex;
    std::condition_variable queued;
    std::deque<Entry> entries;
    std::thread::id owner = std::this_thread::get_id();
    std::mutex wakeMutex;               // held while `wake` is called or replaced
    std::function<void()> wake;
};

}
