#include "discovery/UsbDiscovery.h"

#include "channel/CUSBConnect.h"
#include "config/TextCompare.h"
#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/WirelessAdapter.h"

#include <cstdio>
#include <memory>

namespace plintor {

namespace {

bool InList(const std::vector<std::string>& list, const std::string& text)
{
    for (const std::string& entry : list)
        if (EqualsNoCase(entry, text))
            return true;
    return false;
}

}

std::string UsbPortName(unsigned portNumber)
{
    char name[16];
    std::snprintf(name, sizeof name, "USB%03u", portNumber);
    return name;
}

int CheckUsbDevice(const std::string& locationText, CUSBConnect& usb, const DiscoveryContext& context)
{
    if (!context.config)
        return kNotSupported;
    if (PlatformMajorVersion() < 6) {
        if (!InList(context.config->usbLocationInfos, locationText))
            return kNotSupported;
    } else {
        std::string line;
        if (!QueryIdLine(usb, line) || !InList(context.config->usbIds, line))
            return kNotSupported;
    }
    if ((context.configureFlags & kConfigureWireless) && context.checkWlan == 1
        && !HasWirelessAdapter(usb))
        return kNoWirelessModule;
    return kSupported;
}

int DiscoverUsb(const DiscoveryContext& context, int& noModuleCount)
{
    noModuleCount = 0;
    if (!context.printers)
        return 0;
    PrinterList& list = *context.printers;
    list.Clear();
    auto usb = context.usbRoots ? std::make_unique<CUSBConnect>(*context.usbRoots)
                                : std::make_unique<CUSBConnect>();
    // Every question of the search has a tight bound of its own (UsbSearchQuery), so that
    // a device that does not answer cannot hold the pass.
    usb->bounds.query = UsbSearchQuery;
    if (!usb->Enumerate() || usb->devices.empty())
        return 0;
    for (usb->First(); usb->current < usb->devices.size(); usb->Next()) {
        std::string location, path, deviceId;
        std::uint32_t port = 0;
        usb->CurrentLocation(&location);
        usb->CurrentPath(&path);
        usb->CurrentPortNumber(&port);
        usb->CurrentDeviceId(&deviceId);
        if (context.spooler && context.printersToRestore)
            context.spooler->DisableBidi(UsbPortName(port), CSpoolerUpkeep::kUsbForm,
                                         *context.printersToRestore, deviceId);
        int code = CheckUsbDevice(location, *usb, context);
        if (code == kNoWirelessModule) {
            ++noModuleCount;
            continue;
        }
        if (code != kSupported)
            continue;
        PrinterEntry entry;
        entry.chosen = 0;
        entry.connection = kConnectionUsb;
        entry.usbDevicePath = path;
        entry.usbPortNumber = port;
        entry.options = -1;
        if (context.configureFlags & kConfigureIp) {
            std::int32_t options = -1;
            if (!QueryOptions(entry, options, context.configFilePath, usb->bounds))
                continue;
            entry.options = options;
        }
        list.Add(entry);
    }
    return list.Count();
}

}
