#pragma once

#include "core/ConfigureFlags.h"
#include "platform/UsbPrinterClass.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plintor {

struct UtilityConfig;
class PrinterList;
class CLinkLocalRoute;
class CSpoolerUpkeep;

// What discovery needs of the run: the configuration, the printer list it fills, the
// spooler queues it holds, and the run options. The application object fills one; tests
// fill their own.
struct DiscoveryContext {
    const UtilityConfig* config = nullptr;
    PrinterList* printers = nullptr;
    // Spooler queues this run held, released at exit (nullptr: queues are left alone).
    std::vector<std::string>* printersToRestore = nullptr;
    // Holds and releases those queues (nullptr: queues are left alone).
    CSpoolerUpkeep* spooler = nullptr;
    std::uint32_t configureFlags = 0; // ConfigureFlag bits
    int checkWlan = 0;
    // The configuration file, read again for SEND_PJL_VERIFICATION at the time of use;
    // empty: the file beside the program.
    std::string configFilePath;
    // The link-local route of this run (nullptr: no route is added).
    CLinkLocalRoute* route = nullptr;
    // Where the USB printer class is read (empty: the system's).
    std::optional<platform::UsbRoots> usbRoots;
    // Told, in one sentence, when a search pass could not run (UDP port 161 taken, no
    // interface or route to send on) or the link-local route could not be added, so
    // that finding nothing is not mistaken for an empty network. Empty: nobody is told.
    std::function<void(const std::string& problem)> reportProblem;
};

}
