#pragma once

// The network form of the device channel: one PJL job at a time to a printer's raw
// printing port (TCP 9100), and its answer.
//
// Each operation resolves the address text (IPv4 dotted, IPv6 with or without a "%scope"
// such as "%eth0" for link-local, or a host name), connects to the results in the lookup's
// order until one accepts within ChannelBounds::connect, writes the job whole, reads, and
// closes. Printers send an answer in as many TCP segments as they like (often the echo
// line, each data line and the form feed apart), so both reads accumulate: Query makes up
// to 3 tries, each reading until a form feed ends the text read (or the printer closes),
// and accepts the first whose text begins with the echoed command; QueryBatch makes up to
// 3 accumulating read cycles, each after ChannelBounds::pause, until the batch matcher is
// complete. Every receive waits at most ChannelBounds::read; an expired wait is a failed
// read. Either read keeps at most maxReplyBytes.
//
// The SNMP discovery passes that the printer search runs keep their answers with the
// discovery code, which makes a CNetConnect for each PJL question it asks.

#include "channel/ChannelBounds.h"
#include "channel/DeviceChannel.h"
#include "channel/PjlReads.h"
#include "platform/AnsiCodePage.h"
#include "platform/Socket.h"

#include <string>
#include <vector>

namespace plintor {

class CNetConnect {
public:
    CNetConnect();
    virtual ~CNetConnect();
    CNetConnect(const CNetConnect&) = delete;
    CNetConnect& operator=(const CNetConnect&) = delete;

    bool Query(const std::string& address, const std::string& command);
    bool Send(const std::string& address, const std::string& command);
    bool QueryBatch(const std::string& address, const std::string& command,
                    std::vector<PjlRequest>& requests);
    bool NextLine(std::string& line);

    // The steps the three operations are made of.
    bool Open(const std::string& address);
    bool Write();
    // One try of Query: reads until a form feed (ReadUntilFormFeed of channel/PjlReads.h).
    bool ReadUntilFormFeed(ReadRest& rest);
    bool ReadUntilComplete(std::vector<PjlRequest>& requests);
    void Close();

    PjlExchange exchange;
    // The raw port, "9100" unless the environment moves it (platform/TestOverrides.h).
    std::string port;
    ChannelBounds bounds;
    platform::CAnsiCodePage codePage;
    platform::CSocket socket;
};

}
