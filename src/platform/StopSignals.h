#pragma once

#include <functional>

namespace plintor::platform {

// The signals that ask the program to stop: SIGINT (Ctrl+C), SIGTERM (a shutdown, kill)
// and SIGHUP (the terminal went away). The program does not leave what it changed on the
// workstation behind when one of them ends it.
//
// StartStopSignalWatch blocks them and starts a watcher thread that waits for them. It is
// called once on the first thread, before any other thread starts (main, before the
// front ends and the toolkit), so that every thread inherits the blocked mask and none can
// be ended by them without the clean-up. On a stop signal the watcher runs the clean-ups
// that are registered at that moment, newest first, and ends the process with
// _exit(128 + signal). Further stop signals meanwhile stay blocked: the clean-ups bound
// their own waits. Programs started later begin with no signal blocked (RunProcess).
//
// Returns false when the watcher could not start (the signals are then unblocked again).
// A second call does nothing and returns true.
//
// On Windows the stop requests are the console's control events (Ctrl+C, Ctrl+Break, the
// console closed, log-off, shut-down), taken by a console control handler that the system
// runs on a thread of its own; nothing is blocked, and the exit status is 128 + the number
// of the signal the event stands for (SIGINT, SIGHUP, SIGTERM).
bool StartStopSignalWatch();

// A clean-up that runs on a stop signal while this object lives. The clean-up runs on the
// watcher thread, concurrently with the program's own threads: it may only use what is safe
// to call from another thread. Ending the registration while the watcher runs the
// clean-ups waits for them, and the process then ends.
class CStopSignalCleanUp {
public:
    explicit CStopSignalCleanUp(std::function<void()> cleanUp);
    ~CStopSignalCleanUp();
    CStopSignalCleanUp(const CStopSignalCleanUp&) = delete;
    CStopSignalCleanUp& operator=(const CStopSignalCleanUp&) = delete;

private:
    unsigned long id;
};

}
