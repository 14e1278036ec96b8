#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

namespace plintor {

// The route to the link-local network 169.254.0.0/16 that lets the program reach printers
// that gave themselves such an address. It is added through the interface that holds the
// workstation's own address, with the system's route program (on Linux "ip route", see
// platform/RouteCommand.h) run without a shell and waited for with a bound; a route this
// run added is removed again at exit, or by the stop-signal watcher: Add (on a discovery
// worker) and Remove may run on different threads at once; Remove then waits for the
// route command of Add and removes what it added.
class CLinkLocalRoute {
public:
    static constexpr std::chrono::milliseconds kCommandBound{5000};

    CLinkLocalRoute() = default;
    ~CLinkLocalRoute() = default;
    CLinkLocalRoute(const CLinkLocalRoute&) = delete;
    CLinkLocalRoute& operator=(const CLinkLocalRoute&) = delete;

    // localAddress: dotted IPv4 text. 1 if the route command was started, 0 when the
    // address is empty, is loopback, belongs to no interface, or no command could run.
    int Add(const std::string& localAddress);
    // Removes the route if Add put it in place; at most once. Later Add calls of this object
    // add nothing.
    void Remove();

    // The route of this run, removed by the exit hook.
    static CLinkLocalRoute& ForThisRun();

    bool Added() const;
    std::string Interface() const;
    // Why the last Add left no route to 169.254.0.0/16 in place, in a few words; empty
    // when the route is there (added by this run or before it) or nothing was tried.
    std::string Problem() const;

private:
    mutable std::mutex lock;
    bool added = false;
    bool closed = false;
    std::string interfaceName;
    std::uint32_t interfaceAddress = 0; // network byte order
    std::string problem;
};

}
