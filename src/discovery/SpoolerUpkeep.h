#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace plintor {

// One queue that the state file lists: the CUPS server it lives on and its name.
struct HeldQueue {
    std::string host; // as platform::CurrentPrintServer() gives it: a host name, an address or a socket path
    int port = 0;
    std::string queue;

    bool operator==(const HeldQueue&) const = default;
};

// What a release did: the queues CUPS confirmed (or that no longer exist), and those it
// did not, each with the reason.
struct ReleaseReport {
    std::vector<std::string> released;
    struct Failure {
        std::string queue;
        std::string reason;
    };
    std::vector<Failure> failed;
    std::string statePath; // where the failed ones stay listed

    bool Empty() const { return released.empty() && failed.empty(); }
};

// The spooler queues that print to the printer the program talks to are kept from
// printing while it does: the Linux form of switching off a queue's bidirectional
// support. Through the spooler's interface (platform/PrintQueues.h; CUPS on Linux), on the
// queues whose device URI leads to the printer, the program asks for Pause-Printer (what
// `cupsdisable` does; jobs are still accepted and wait in the queue) and, at exit,
// Resume-Printer on exactly the queues it paused.
// Hold-New-Jobs would let a job that is printing finish, but CUPS 2.4 starts the jobs
// queued on a queue holding new jobs all the same, so it holds nothing; a job that is
// printing when the queue is paused is stopped by CUPS and printed again from its start
// once the queue resumes: nothing is lost, and nothing prints while the program talks to
// the printer.
//
// CUPS keeps a pause across its own restarts, so a pause that is never released stops
// every later job for good. Every queue is therefore written to a state file that
// survives a reboot before it is paused (write-ahead: a crash between the two leaves an
// entry for a queue that is not paused, whose release is harmless), and its entry is
// removed only once CUPS has confirmed the release. What a run left listed is released
// by the next start (ReleaseLeftovers) or by `plintor --release-queues`. Each change
// reads the file, changes its own entries and replaces it durably, so that two objects
// of one process (the run's and the discover command's) never undo each other's
// entries; the single-instance lock keeps other processes away.
class CSpoolerUpkeep {
public:
    static constexpr std::chrono::milliseconds kServerBound{5000};

    // statePath empty: the default state file (DefaultStatePath()).
    explicit CSpoolerUpkeep(std::string statePath = {});

    enum Form { kUsbForm = 0, kNetworkForm = 1 };

    // Pauses the queues that print to the target and appends their names to
    // printersToRestore. Network form: target is the printer's address text; a queue
    // matches when the host of its socket, ipp, ipps, lpd, http or https device URI (a
    // numeric address or a host name), or the DNS-SD service of its dnssd URI, has the
    // printer's address among its addresses. A host or service that does not resolve within
    // its bound leaves its queues alone; stderr says so once per object. USB
    // form: target is the port name ("USB%03d") and deviceId the IEEE 1284 id; a usb://
    // queue matches by make, model and serial number. A queue that is stopped already is
    // left alone, unless the state file lists it from an earlier run: this run then
    // releases it at exit. Returns the number of queues paused, or -1 when the queues
    // could not be read.
    int DisableBidi(const std::string& target, int form, std::vector<std::string>& printersToRestore,
                    const std::string& deviceId = {});

    // Releases every queue in printersToRestore and empties it; the entries of the queues
    // CUPS did not release stay in the state file. Later DisableBidi calls of this object
    // hold nothing.
    ReleaseReport RestoreBidi(std::vector<std::string>& printersToRestore);

    // Releases every queue that DisableBidi of this object held and that is not released
    // yet; later DisableBidi calls hold nothing. It reads no caller's list, so a
    // stop-signal watcher may call it while a discovery worker holds queues and fills its
    // list.
    ReleaseReport ReleaseHeld();

    // Releases the queues that the state file lists from earlier runs, each on the server
    // it was held on, and keeps the entries of those it could not release.
    ReleaseReport ReleaseLeftovers();

    // The state file: PLINTOR_SPOOLER_STATE when set (tests), else
    // StatePathFor(geteuid(), ...).
    static std::string DefaultStatePath();
    // Where the state lives for a user: root (or whoever may write there) keeps it in
    // /var/lib/plintor, which survives reboots; any other user in the XDG state folder
    // ($XDG_STATE_HOME, else $HOME/.local/state). Never a folder that a reboot empties.
    static std::string StatePathFor(bool varLibWritable, const char* xdgStateHome, const char* home);
    static constexpr const char* kSystemStateFolder = "/var/lib/plintor";

    // The object of this run (default state file), made on first use.
    static CSpoolerUpkeep& ForThisRun();
    const std::string& StatePath() const { return statePath; }

    // The state file's lines: "HOST<TAB>PORT<TAB>QUEUE".
    static std::vector<HeldQueue> ParseState(std::string_view text);
    static std::string FormatState(const std::vector<HeldQueue>& queues);

private:
    std::vector<HeldQueue> ReadState() const;
    bool WriteState(const std::vector<HeldQueue>& queues) const;
    // With the lock held: releases `queues` (on the current server), forgets what this
    // run held, and makes later DisableBidi calls hold nothing.
    ReleaseReport CloseAndRelease(const std::vector<std::string>& queues);
    // With the lock held: asks each queue's server for the release, then removes the
    // entries of the confirmed ones from the state file.
    ReleaseReport Release(const std::vector<HeldQueue>& queues);

    std::string statePath;
    std::mutex lock; // DisableBidi on a worker against the release from a signal watcher
    std::vector<HeldQueue> heldThisRun;
    bool closed = false;
    // The numeric addresses of the hosts and services named in device URIs, looked up once.
    std::map<std::string, std::vector<std::string>> addressesOf;
};

// One stderr line about a release (without the line end), empty when there is nothing to
// say. `whose` names the queues: "an earlier run" or "this run". Released queues are
// named only when `sayReleased`.
std::string DescribeRelease(const ReleaseReport& report, std::string_view whose, bool sayReleased);

// Every numeric address of an address text or host name; false when it does not resolve.
// The one place where the spooler upkeep looks a name up.
bool LookUpNumericAddresses(const std::string& text, std::vector<std::string>& numeric);
// The first of them.
bool ToNumericAddress(const std::string& text, std::string& numeric);

}
