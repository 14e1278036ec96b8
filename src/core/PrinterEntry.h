#pragma once

#include "core/DeviceSettings.h"

#include <cstdint>
#include <string>

namespace plintor {

// Kinds of PrinterEntry::connection.
enum PrinterConnection : std::int32_t {
    kConnectionNone = -1,
    kConnectionUsb = 1,
    kConnectionNetwork = 2,
};

// One printer that discovery found or the user typed: its identification, followed by
// its settings. A value type: the list hands out and takes back whole copies.
struct PrinterEntry {
    std::uint32_t chosen = 0;          // nonzero when the user chose this printer
    std::int32_t connection = kConnectionNone;
    // Result of the capability query: 1 (the IP lines take the wireless form) or 0;
    // -1 while the printer has not been asked.
    std::int32_t options = -1;
    std::string macAddress;            // 12 upper-case hexadecimal digits
    std::uint16_t ipv6Only = 0;        // 1: the printer is known only by its IPv6 address
    std::string addressIpv4;
    std::string addressIpv6;
    std::string usbDevicePath;
    std::uint32_t usbPortNumber = 0;   // the printer port is named "USB%03d" from it
    std::string note;

    // The settings part (DeviceSettings, member by member).
    WirelessSettings wireless;
    IpSettings ip;
    FaxSettings fax;
    std::uint16_t panelLanguage = kDefaultPanelLanguage;

    DeviceSettings Settings() const { return {wireless, ip, fax, panelLanguage}; }
    void SetSettings(const DeviceSettings& settings)
    {
        wireless = settings.wireless;
        ip = settings.ip;
        fax = settings.fax;
        panelLanguage = settings.panelLanguage;
    }

    // The address a network printer is reached at: IPv6 when it is known only by that.
    const std::string& NetworkAddress() const { return ipv6Only == 1 ? addressIpv6 : addressIpv4; }

    bool operator==(const PrinterEntry&) const = default;
};

// A network printer at an address the user typed or discovery heard: an address with ":"
// is IPv6 (the printer is then known only by it), any other IPv4.
inline PrinterEntry NetworkPrinterAt(const std::string& address)
{
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    if (address.find(':') != std::string::npos) {
        entry.ipv6Only = 1;
        entry.addressIpv6 = address;
    } else {
        entry.addressIpv4 = address;
    }
    return entry;
}

}
