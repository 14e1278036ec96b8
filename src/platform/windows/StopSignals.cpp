// Stop requests through a console control handler (SetConsoleCtrlHandler). The system runs
// the handler on a thread of its own for Ctrl+C (CTRL_C_EVENT), Ctrl+Break, the console
// window being closed (CTRL_CLOSE_EVENT) and, for a program without a window of its own,
// log-off and shut-down; they stand for SIGINT, SIGINT, SIGHUP and SIGTERM, and the process
// ends with 128 + that number, as on Linux. The handler runs the registered clean-ups,
// newest first, and ends the process with TerminateProcess, which runs no exit handlers,
// like _exit. After a close, log-off or shut-down event the system ends the process
// itself a few seconds after the handler was called (about 5 s for a close): the clean-ups
// bound their own waits well within that. Windows has no signal mask: nothing is blocked,
// and programs started later are not affected. Wine run without a console of its own (as
// the tests run it) delivers no console events, so this is checked against the
// documentation of SetConsoleCtrlHandler, HandlerRoutine and GenerateConsoleCtrlEvent.
#include "platform/StopSignals.h"

#include "platform/windows/WinText.h"

#include <mutex>
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

// Never destroyed: the handler may still run while the process exits.
Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

int SignalOfEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return 2;    // SIGINT
    case CTRL_CLOSE_EVENT:
        return 1;    // SIGHUP
    default:
        return 15;   // SIGTERM: log-off, shut-down
    }
}

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    Registry& registry = TheRegistry();
    // Held until the process ends: a registration that ends meanwhile waits here, and a
    // second event waits too.
    registry.lock.lock();
    for (auto it = registry.cleanUps.rbegin(); it != registry.cleanUps.rend(); ++it) {
        try {
            it->second();
        } catch (...) {
            // The next clean-up still runs.
        }
    }
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(128 + SignalOfEvent(event)));
    return TRUE;
}

}

bool StartStopSignalWatch()
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (registry.started)
        return true;
    if (!SetConsoleCtrlHandler(OnConsoleEvent, TRUE))
        return false;
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
