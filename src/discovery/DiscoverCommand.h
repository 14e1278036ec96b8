#pragma once

#include "platform/UsbPrinterClass.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace plintor {

struct UtilityConfig;

// What `plintor --discover` needs from start-up.
struct DiscoverCommandInput {
    const UtilityConfig* config = nullptr;
    std::string configFilePath;   // read again for SEND_PJL_VERIFICATION
    std::int32_t checkWlan = 0;
    std::optional<platform::UsbRoots> usbRoots;
    std::string spoolerStatePath; // empty: the default state file
};

// One network discovery and one USB search with the configured models, as an IP
// configuration (so the capability query runs), holding the spooler queues of the printers
// found like the wizard does and releasing them before it returns, also on SIGINT,
// SIGTERM or SIGHUP (platform/StopSignals.h: the process then ends with 128 + the signal
// number). Prints one line per
// printer in list order:
//   net MAC IPV4 IPV6 OPTIONS
//   usb PORTNAME DEVICEPATH OPTIONS
// with "-" for an empty field. A search pass that could not run (UDP port 161 taken, no
// interface or route to send on) and a link-local route that could not be added are each
// said in one line on stderr. Returns 0.
int RunDiscoverCommand(const DiscoverCommandInput& input, std::FILE* out);

}
