#pragma once

// The one place that picks how a printer is reached. A printer entry's connection kind says
// whether it is a USB printer (reached by its device path) or a network printer (reached by
// its address, PrinterEntry::NetworkAddress); every operation that talks to a chosen or a
// found printer goes through here instead of choosing a channel class itself.

#include "channel/CNetConnect.h"
#include "channel/CUSBConnect.h"
#include "core/PrinterEntry.h"

#include <string>
#include <vector>

namespace plintor {

class CPrinterChannel {
public:
    // Whether an entry names a channel at all (USB or network).
    static bool Reaches(const PrinterEntry& entry);

    // The waits and the wire character set (empty: the locale's) of both channels.
    void Configure(const ChannelBounds& bounds, const std::string& wireCharset);

    // The DeviceChannel operations, on the channel the entry names. False, without any
    // traffic, for an entry that names none.
    bool Query(const PrinterEntry& entry, const std::string& command);
    bool Send(const PrinterEntry& entry, const std::string& command);
    bool QueryBatch(const PrinterEntry& entry, const std::string& command, std::vector<PjlRequest>& requests);

    // The exchange of the last operation, and its next answer line.
    PjlExchange& Exchange();
    bool NextLine(std::string& line);

    CNetConnect net;
    CUSBConnect usb;

private:
    bool lastUsb = false;
};

}
