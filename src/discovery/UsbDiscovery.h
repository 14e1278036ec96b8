#pragma once

#include <string>

namespace plintor {

class CUSBConnect;
struct DiscoveryContext;

// The port name of a USB printer port number: "USB" and three digits ("USB007").
std::string UsbPortName(unsigned portNumber);

// Whether the USB printer the channel points at is a supported model (and, when asked
// for, has a wireless module). locationText is its location information.
int CheckUsbDevice(const std::string& locationText, CUSBConnect& usb, const DiscoveryContext& context);

// Clears context.printers and fills it with the supported USB printers, holding their
// spooler queues. noModuleCount counts supported printers refused for lacking a wireless
// module. Returns the number of entries.
int DiscoverUsb(const DiscoveryContext& context, int& noModuleCount);

}
