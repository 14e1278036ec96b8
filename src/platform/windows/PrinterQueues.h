#pragma once

// The spooler's side of the Win32 queue service: the local queues, the printer address of
// a standard TCP/IP port, and the bidirectional-support attribute of a queue.

#include "platform/windows/WinText.h"

#include <optional>
#include <string>
#include <vector>

namespace plintor::platform::windows {

struct QueueRecord {
    std::wstring name;
    std::vector<std::wstring> ports;   // a pooled queue prints to several
    DWORD attributes = 0;
};

// The queues of this workstation (EnumPrintersW, PRINTER_ENUM_LOCAL, level 2); empty when
// the spooler does not answer.
std::vector<QueueRecord> LocalQueues();

// The printer address of a standard TCP/IP port (the port monitor's "IPAddress"), nothing
// for a port of another kind or one that cannot be asked.
std::optional<std::wstring> TcpPortAddress(const std::wstring& port);

// Switches PRINTER_ATTRIBUTE_ENABLE_BIDI of a queue on or off; `wasOn` tells how it was.
// False when the queue cannot be opened for administration or the spooler refuses.
bool SetBidirectional(const std::wstring& queue, bool on, bool* wasOn = nullptr);

}
