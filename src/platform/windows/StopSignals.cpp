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

#include "platform/StopRegistry.h"
#include "platform/windows/WinText.h"

#include <mutex>

namespace plintor::platform {

namespace {

using stop_registry::Registry;
using stop_registry::TheRegistry;

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
    stop_registry::RunCleanUpsAndHold();
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

}
