#include "discovery/WirelessAdapter.h"

#include "channel/CNetConnect.h"
#include "channel/CUSBConnect.h"

namespace plintor {

namespace {

template <class Channel>
bool AnswerNamesWlan(Channel& channel)
{
    channel.exchange.lineCursor = 0;
    std::string line;
    while (channel.NextLine(line)) {
        if (line.find("WLAN") != std::string::npos)
            return true;
    }
    return false;
}

}

bool HasWirelessAdapter(CUSBConnect& usb, const std::string& devicePath)
{
    return usb.Query(kWirelessAdapterQuery, devicePath) && AnswerNamesWlan(usb);
}

bool HasWirelessAdapter(const std::string& address)
{
    return HasWirelessAdapter(address, ChannelBounds{});
}

bool HasWirelessAdapter(const std::string& address, const ChannelBounds& bounds)
{
    CNetConnect net;
    net.bounds = bounds;
    return net.Query(address, kWirelessAdapterQuery) && AnswerNamesWlan(net);
}

}
