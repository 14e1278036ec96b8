#include "channel/PrinterChannel.h"

namespace plintor {

bool CPrinterChannel::Reaches(const PrinterEntry& entry)
{
    return entry.connection == kConnectionUsb || entry.connection == kConnectionNetwork;
}

void CPrinterChannel::Configure(const ChannelBounds& bounds, const std::string& wireCharset)
{
    net.bounds = bounds;
    usb.bounds = bounds;
    if (!wireCharset.empty()) {
        net.codePage = platform::CAnsiCodePage(wireCharset);
        usb.codePage = platform::CAnsiCodePage(wireCharset);
    }
}

bool CPrinterChannel::Query(const PrinterEntry& entry, const std::string& command)
{
    lastUsb = entry.connection == kConnectionUsb;
    if (lastUsb)
        return usb.Query(command, entry.usbDevicePath);
    if (entry.connection == kConnectionNetwork)
        return net.Query(entry.NetworkAddress(), command);
    return false;
}

bool CPrinterChannel::Send(const PrinterEntry& entry, const std::string& command)
{
    lastUsb = entry.connection == kConnectionUsb;
    if (lastUsb)
        return usb.Send(command, entry.usbDevicePath);
    if (entry.connection == kConnectionNetwork)
        return net.Send(entry.NetworkAddress(), command);
    return false;
}

bool CPrinterChannel::QueryBatch(const PrinterEntry& entry, const std::string& command,
                                 std::vector<PjlRequest>& requests)
{
    lastUsb = entry.connection == kConnectionUsb;
    if (lastUsb)
        return usb.QueryBatch(command, requests, entry.usbDevicePath);
    if (entry.connection == kConnectionNetwork)
        return net.QueryBatch(entry.NetworkAddress(), command, requests);
    return false;
}

PjlExchange& CPrinterChannel::Exchange()
{
    return lastUsb ? usb.exchange : net.exchange;
}

bool CPrinterChannel::NextLine(std::string& line)
{
    return lastUsb ? usb.NextLine(line) : net.NextLine(line);
}

}
