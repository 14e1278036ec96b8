#include "platform/StopRegistry.h"

#include "platform/StopSignals.h"

namespace plintor::platform {

namespace stop_registry {

Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

void RunCleanUpsAndHold()
{
    Registry& registry = TheRegistry();
    registry.lock.lock();
    for (auto it = registry.cleanUps.rbegin(); it != registry.cleanUps.rend(); ++it) {
        try {
            it->second();
        } catch (...) {
            // The next clean-up still runs.
        }
    }
}

}

using stop_registry::Registry;
using stop_registry::TheRegistry;

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
