#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace plintor {

// The spooler queues that print to the printer the program talks to are kept from
// starting new jobs while it does: the Linux form of switching off a queue's
// bidirectional support. Through libcups, on the queues whose device URI leads to the
// printer, the program asks for Hold-New-Jobs (a job that is printing finishes; new jobs
// wait, nothing is lost or printed twice, unlike Pause-Printer) and, at exit,
// Release-Held-New-Jobs on exactly the queues it held.
//
// The queues held are also written to a small state file, so that a run that was killed
// is mended by the next start (ReleaseLeftovers). With no CUPS server nothing changes.
class CSpoolerUpkeep {
public:
    static constexpr std::chrono::milliseconds kServerBound{5000};

    // statePath empty: the default state file (DefaultStatePath()).
    explicit CSpoolerUpkeep(std::string statePath = {});

    enum Form { kUsbForm = 0, kNetworkForm = 1 };

    // Holds new jobs on the queues that print to the target and appends their names to
    // printersToRestore. Network form: target is the printer's address text; a queue
    // matches when the host of its socket, ipp, ipps, lpd, http or https device URI
    // resolves to the same numeric address. USB form: target is the port name
    // ("USB%03d") and deviceId the IEEE 1284 id; a usb:// queue matches by make, model
    // and serial number. Returns the number of queues held, or -1 when the queues could
    // not be read.
    int DisableBidi(const std::string& target, int form, std::vector<std::string>& printersToRestore,
                    const std::string& deviceId = {});

    // Releases every queue in printersToRestore, empties it and removes the state file.
    // Later DisableBidi calls of this object hold nothing.
    void RestoreBidi(std::vector<std::string>& printersToRestore);

    // Releases every queue that DisableBidi of this object held and that is not released
    // yet, and removes the state file; later DisableBidi calls hold nothing. It reads no
    // caller's list, so a stop-signal watcher may call it while a discovery worker holds
    // queues and fills its list.
    void ReleaseHeld();

    // Releases the queues that the state file names (a run that ended without
    // RestoreBidi); returns how many were released.
    int ReleaseLeftovers();

    static std::string DefaultStatePath();
    // The object of this run (default state file); made on first use, which first releases
    // what a run that was killed left held.
    static CSpoolerUpkeep& ForThisRun();
    const std::string& StatePath() const { return statePath; }

private:
    void WriteState();
    // With the lock held: releases `queues`, forgets what this run held, removes the
    // state file, and makes later DisableBidi calls hold nothing.
    void CloseAndRelease(const std::vector<std::string>& queues);

    std::string statePath;
    std::mutex lock; // DisableBidi on a worker against the release from a signal watcher
    std::vector<std::string> heldThisRun; // what the state file lists
    bool closed = false;
};

// The numeric host text of an address or host name; false when it does not resolve.
bool ToNumericAddress(const std::string& text, std::string& numeric);

}
