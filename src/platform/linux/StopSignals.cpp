#include "platform/StopSignals.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace plintor::platform {

namespace {

struct Registry {
    std::mutex lock;
    std::vector<std::pair<unsigned long, std::function<void()>>> cleanUps;
    unsigned long nextId = 1;
    bool started = false;
};

// Never destroyed: the watcher may still wait on it while the process exits.
Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

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
    Registry& registry = TheRegistry();
    // Held until the process ends: a registration that ends meanwhile waits here.
    registry.lock.lock();
    for (auto it = registry.cleanUps.rbegin(); it != registry.cleanUps.rend(); ++it) {
        try {
            it->second();
        } catch (...) {
            // The next clean-up still runs.
        }
    }
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

CStopSignalCleanUp::CStopSignalCleanUp(std::function<void()> cleanUp)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    id = registry.nextId++;
    registry.cleanUps.emplace_back(id, std::move(cleanUp));
}

CStopSignalCleanUp::~CStopSignalCleanUp()
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (auto it = registry.cleanUps.begin(); it != registry.cleanUps.end(); ++it) {
        if (it->first == id) {
            registry.cleanUps.erase(it);
            break;
        }
    }
}

}
