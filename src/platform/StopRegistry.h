#pragma once

// The clean-ups registered by CStopSignalCleanUp (platform/StopSignals.h), kept alike by
// both forms of StopSignals.cpp; each form has its own way of being told of a stop.

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace plintor::platform::stop_registry {

struct Registry {
    std::mutex lock;
    std::vector<std::pair<unsigned long, std::function<void()>>> cleanUps;
    unsigned long nextId = 1;
    bool started = false;
};

// Never destroyed: the watcher may still use it while the process exits.
Registry& TheRegistry();

// Runs the registered clean-ups, newest first, and keeps the registry locked for the
// rest of the process: a registration that ends meanwhile waits, and so does a second stop.
void RunCleanUpsAndHold();

}
