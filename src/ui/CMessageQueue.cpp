#include "ui/CMessageQueue.h"

namespace plintor {

struct CMessageQueue::SendState {
    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool done = false;
    bool abandoned = false;   // the sender gave up, or the queue was reset
};

CMessageQueue& CMessageQueue::Instance()
{
    static CMessageQueue queue;
    return queue;
}

void CMessageQueue::AttachToCurrentThread()
{
    std::lock_guard lock(mutex);
    owner = std::this_thread::get_id();
}

bool CMessageQueue::IsMainThread() const
{
    std::lock_guard lock(mutex);
    return owner == std::this_thread::get_id();
}

void CMessageQueue::SetWakeHandler(std::function<void()> handler)
{
    std::lock_guard lock(wakeMutex);
    wake = std::move(handler);
}

void CMessageQueue::Enqueue(Entry entry)
{
    {
        std::lock_guard lock(mutex);
        entries.push_back(std::move(entry));
    }
    queued.notify_all();
    // Called under its own lock: a front end that replaces the handler before it goes is
    // not woken after that any more.
    std::lock_guard lock(wakeMutex);
    if (wake)
        wake();
}

void CMessageQueue::Post(Task task)
{
    Enqueue(Entry{std::move(task), nullptr});
}

bool CMessageQueue::Send(Task task)
{
    if (IsMainThread()) {
        task();
        return true;
    }
    auto state = std::make_shared<SendState>();
    Enqueue(Entry{std::move(task), state});
    std::unique_lock lock(state->mutex);
    state->changed.wait_for(lock, kSendWaitLimit, [&] { return state->started || state->abandoned; });
    if (!state->started) {
        // Never run it late: the closure may refer to this thread's stack.
        state->abandoned = true;
        return false;
    }
    // Once started the closure is running on the main thread (perhaps inside a modal loop
    // of its own); the sender waits for its end, which that loop bounds.
    state->changed.wait(lock, [&] { return state->done; });
    return true;
}

bool CMessageQueue::PopOne(Entry& entry)
{
    std::lock_guard lock(mutex);
    if (entries.empty())
        return false;
    entry = std::move(entries.front());
    entries.pop_front();
    return true;
}

void CMessageQueue::RunEntry(Entry& entry)
{
    if (!entry.send) {
        entry.task();
        return;
    }
    {
        std::lock_guard lock(entry.send->mutex);
        if (entry.send->abandoned)
            return;
        entry.send->started = true;
    }
    entry.send->changed.notify_all();
    entry.task();
    {
        std::lock_guard lock(entry.send->mutex);
        entry.send->done = true;
    }
    entry.send->changed.notify_all();
}

int CMessageQueue::RunPending()
{
    std::size_t count;
    {
        std::lock_guard lock(mutex);
        count = entries.size();
    }
    int ran = 0;
    Entry entry;
    while (count-- > 0 && PopOne(entry)) {
        RunEntry(entry);
        ++ran;
    }
    return ran;
}

bool CMessageQueue::WaitAndRunOne(std::chrono::milliseconds limit)
{
    Entry entry;
    {
        std::unique_lock lock(mutex);
        if (!queued.wait_for(lock, limit, [&] { return !entries.empty(); }))
            return false;
        entry = std::move(entries.front());
        entries.pop_front();
    }
    RunEntry(entry);
    return true;
}

std::size_t CMessageQueue::PendingCount() const
{
    std::lock_guard lock(mutex);
    return entries.size();
}

void CMessageQueue::Reset()
{
    std::deque<Entry> dropped;
    {
        std::lock_guard lock(mutex);
        dropped.swap(entries);
    }
    for (Entry& entry : dropped) {
        if (!entry.send)
            continue;
        {
            std::lock_guard lock(entry.send->mutex);
            entry.send->abandoned = true;
        }
        entry.send->changed.notify_all();
    }
}

}
