#pragma once

// The stand-in printer's one loop: poll over every descriptor a service registers (listening
// sockets, connections, the USB stand-in's pseudo-terminal, an SNMP socket), plus timers.
// Single-threaded; callbacks may watch, unwatch and schedule freely.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>

namespace plintor::printer {

class CEventLoop {
public:
    using Handler = std::function<void(short revents)>;
    using TimerId = std::uint64_t;

    CEventLoop();
    ~CEventLoop();
    CEventLoop(const CEventLoop&) = delete;
    CEventLoop& operator=(const CEventLoop&) = delete;

    // Calls `handler` whenever poll reports one of `events` (or an error) on `fd`.
    void Watch(int fd, short events, Handler handler);
    // Changes the events of a watched descriptor.
    void SetEvents(int fd, short events);
    void Unwatch(int fd);

    // Runs `callback` once after `delay`.
    TimerId After(std::chrono::milliseconds delay, std::function<void()> callback);
    void Cancel(TimerId id);

    // Runs until Stop(), SIGINT or SIGTERM. Returns 0, or 1 if polling failed.
    int Run();
    void Stop() { running = false; }

private:
    struct Watched {
        short events = 0;
        std::uint64_t generation = 0;
        Handler handler;
    };
    struct Timer {
        std::chrono::steady_clock::time_point due;
        std::function<void()> callback;
    };

    void RunDueTimers();
    int NextTimeoutMs() const;

    std::map<int, Watched> watched;
    std::map<TimerId, Timer> timers;
    TimerId nextTimer = 1;
    std::uint64_t nextGeneration = 1;
    int signalFd = -1;
    bool running = false;
};

}
