#pragma once

// One party the stand-in printer talks PJL with: an accepted TCP connection, or the master
// side of the USB stand-in's pseudo-terminal. It cuts the incoming bytes into jobs (from one
// Universal Exit Language sequence to the next), logs each job, asks the responder for the
// answer and sends it the way the faults say.

#include "EventLoop.h"
#include "Faults.h"

#include <functional>
#include <string>
#include <vector>

namespace plintor::printer {

class CStandInPrinter;

class CPjlPeer {
public:
    enum class Kind { Tcp, Usb };

    // Takes over `fd`. `onGone` is called (from the loop, never from inside a call of this
    // object's owner) when the peer closed or must be closed; the owner then destroys it.
    CPjlPeer(CStandInPrinter& printer, int fd, Kind kind, std::function<void()> onGone);
    ~CPjlPeer();
    CPjlPeer(const CPjlPeer&) = delete;
    CPjlPeer& operator=(const CPjlPeer&) = delete;

    // Bytes received but not yet part of a whole job are logged when the peer goes.
    void FlushPartialToLog();

private:
    void OnEvents(short revents);
    void ReadAvailable();
    void TakeJobs();
    void StartAnswer(const std::string& job);
    void CancelAnswer();
    void Queue(std::string bytes);
    void Flush();
    void UpdateEvents();
    void Gone();

    CStandInPrinter& printer;
    int fd;
    Kind kind;
    std::function<void()> onGone;
    std::string inbox;
    std::string outbox;
    std::size_t outboxSent = 0;
    std::vector<CEventLoop::TimerId> timers;
    bool endless = false;
    bool closeWhenSent = false;
    bool gone = false;
};

}
