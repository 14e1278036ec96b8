#include "discovery/DiscoverCommand.h"

#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/UsbDiscovery.h"

#include "platform/StopSignals.h"

#include <string>
#include <vector>

namespace plintor {

namespace {

const std::string& Field(const std::string& text)
{
    static const std::string dash = "-";
    return text.empty() ? dash : text;
}

}

int RunDiscoverCommand(const DiscoverCommandInput& input, std::FILE* out)
{
    // What earlier runs left held, start-up has released.
    CSpoolerUpkeep spooler(input.spoolerStatePath);
    CLinkLocalRoute route;
    std::vector<std::string> printersToRestore;
    PrinterList network;
    PrinterList usb;

    DiscoveryContext context;
    context.config = input.config;
    context.printersToRestore = &printersToRestore;
    context.spooler = &spooler;
    context.configureFlags = kConfigureIp;
    context.checkWlan = input.checkWlan;
    context.configFilePath = input.configFilePath;
    context.route = &route;
    context.usbRoots = input.usbRoots;
    // A pass that could not run says so, rather than finding nothing in silence.
    context.reportProblem = [](const std::string& problem) {
        std::fprintf(stderr, "plintor: %s\n", problem.c_str());
    };

    // SIGINT, SIGTERM and SIGHUP release the held queues and remove the route while the
    // search goes on; the process then ends with 128 + the signal number.
    platform::StartStopSignalWatch();
    platform::CStopSignalCleanUp releaseOnStop([&spooler, &route, out] {
        spooler.ReleaseHeld();
        route.Remove();
        std::fflush(out);
    });

    DiscoveryContext netContext = context;
    netContext.printers = &network;
    DiscoverNetwork(netContext);
    DiscoveryContext usbContext = context;
    usbContext.printers = &usb;
    int noModule = 0;
    DiscoverUsb(usbContext, noModule);

    for (const PrinterEntry& e : network.Entries())
        std::fprintf(out, "net %s %s %s %d\n", Field(e.macAddress).c_str(), Field(e.addressIpv4).c_str(),
                     Field(e.addressIpv6).c_str(), e.options);
    for (const PrinterEntry& e : usb.Entries())
        std::fprintf(out, "usb %s %s %d\n", UsbPortName(e.usbPortNumber).c_str(),
                     Field(e.usbDevicePath).c_str(), e.options);
    std::fflush(out);
    spooler.RestoreBidi(printersToRestore);
    route.Remove();
    return 0;
}

}
