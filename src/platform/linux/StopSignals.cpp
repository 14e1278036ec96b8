#include "platform/StopSignals.h"

#include "platform/StopRegistry.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>
#include <system_error>
#include <thread>

namespace plintor::platform {

namespace {

using stop_registry::Registry;
using stop_registry::TheRegistry;

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

[[noreturn]] void RunCleanUpsAndExit(int signal)
{
    stop_registry::RunCleanUpsAndHold();
    _exit(128 + signal);
}

void Watch(sigset_t set)
{
    // The one wait without a bound: the watcher waits for the life of the process and
    // holds nothing meanwhile.
    for (;;) {
        int caught = 0;
        if (sigwait(&set, &caught) == 0)
            RunCleanUpsAndExit(caught);
    }
}

}

bool StartStopSignalWatch()
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (registry.started)
        return true;
    sigset_t set = StopSet();
    sigset_t previous;
    if (pthread_sigmask(SIG_BLOCK, &set, &previous) != 0)
        return false;
    try {
        std::thread(Watch, set).detach();
    } catch (const std::system_error&) {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        return false;
    }
    registry.started = true;
    return true;
}

}
