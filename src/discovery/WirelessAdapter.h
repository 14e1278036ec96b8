#pragma once

#include <string>

namespace plintor {

class CUSBConnect;
struct ChannelBounds;

// The adapter query; some answer line names "WLAN" when the printer has a wireless adapter.
inline constexpr const char* kWirelessAdapterQuery = "@PJL INFO IWAOPTIONS\r\n";

// Asks the USB printer at `devicePath` through `usb` (empty: the device the channel
// currently points at).
bool HasWirelessAdapter(CUSBConnect& usb, const std::string& devicePath = {});

// Asks the network printer at `address` through a channel made for the call.
bool HasWirelessAdapter(const std::string& address);
bool HasWirelessAdapter(const std::string& address, const ChannelBounds& bounds);

}
