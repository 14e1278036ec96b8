#include "EventLoop.h"

#include <cerrno>
#include <csignal>
#include <vector>

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace plintor::printer {

using Clock = std::chrono::steady_clock;

CEventLoop::CEventLoop()
{
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigprocmask(SIG_BLOCK, &stops, nullptr);
    signalFd = signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK);
    std::signal(SIGPIPE, SIG_IGN);
}

CEventLoop::~CEventLoop()
{
    if (signalFd >= 0)
        close(signalFd);
}

void CEventLoop::Watch(int fd, short events, Handler handler)
{
    watched[fd] = Watched{events, nextGeneration++, std::move(handler)};
}

void CEventLoop::SetEvents(int fd, short events)
{
    auto found = watched.find(fd);
    if (found != watched.end())
        found->second.events = events;
}

void CEventLoop::Unwatch(int fd)
{
    watched.erase(fd);
}

CEventLoop::TimerId CEventLoop::After(std::chrono::milliseconds delay, std::function<void()> callback)
{
    TimerId id = nextTimer++;
    timers[id] = Timer{Clock::now() + delay, std::move(callback)};
    return id;
}

void CEventLoop::Cancel(TimerId id)
{
    timers.erase(id);
}

int CEventLoop::NextTimeoutMs() const
{
    if (timers.empty())
        return -1;
    auto soonest = timers.begin()->second.due;
    for (const auto& [id, timer] : timers)
        soonest = std::min(soonest, timer.due);
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(soonest - Clock::now()).count();
    return wait < 0 ? 0 : static_cast<int>(wait + 1);
}

void CEventLoop::RunDueTimers()
{
    auto now = Clock::now();
    std::vector<TimerId> due;
    for (const auto& [id, timer] : timers)
        if (timer.due <= now)
            due.push_back(id);
    for (TimerId id : due) {
        auto found = timers.find(id);
        if (found == timers.end())
            continue; // cancelled by an earlier callback
        auto callback = std::move(found->second.callback);
        timers.erase(found);
        callback();
    }
}

int CEventLoop::Run()
{
    running = true;
    while (running) {
        std::vector<pollfd> set;
        std::vector<std::uint64_t> generations;
        if (signalFd >= 0) {
            set.push_back({signalFd, POLLIN, 0});
            generations.push_back(0);
        }
        for (const auto& [fd, entry] : watched) {
            set.push_back({fd, entry.events, 0});
            generations.push_back(entry.generation);
        }
        int ready = poll(set.data(), set.size(), NextTimeoutMs());
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        for (std::size_t i = 0; i < set.size() && running; ++i) {
            if (!set[i].revents)
                continue;
            if (set[i].fd == signalFd && generations[i] == 0) {
                running = false;
                break;
            }
            auto found = watched.find(set[i].fd);
            // Skip a descriptor that an earlier handler unwatched (or closed and reused).
            if (found == watched.end() || found->second.generation != generations[i])
                continue;
            Handler handler = found->second.handler;
            handler(set[i].revents);
        }
        RunDueTimers();
    }
    return 0;
}

}
