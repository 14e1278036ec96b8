#pragma once

#include "platform/windows/WinLean.h"

#include <winsock2.h>

namespace plintor::platform::windows {

// Winsock 2.2 started for the life of this object (WSAStartup) and released after it
// (WSACleanup). The library counts its starts, so every operation of the Windows forms
// holds one of these around its own socket calls, and a socket holds one while it is open.
class WinsockSession {
public:
    WinsockSession()
    {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession()
    {
        if (started)
            WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool Started() const { return started; }

private:
    bool started = false;
};

}
