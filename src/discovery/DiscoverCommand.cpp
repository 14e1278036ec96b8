#include "discovery/DiscoverCommand.h"

#include "discovery/DiscoveryContext.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterList.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/UsbDiscovery.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <string>
#include <thread>
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
    CSpoolerUpkeep spooler(input.spoolerStatePath);
    spooler.ReleaseLeftovers();
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

    // The search runs on a worker; this thread waits for it or for SIGINT/SIGTERM, so that
    // held queues are released whichever comes first.
    sigset_t stops, previous;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, &previous);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        DiscoveryContext netContext = context;
        netContext.printers = &network;
        DiscoverNetwork(netContext);
        DiscoveryContext usbContext = context;
        usbContext.printers = &usb;
        int noModule = 0;
        DiscoverUsb(usbContext, noModule);
        done = true;
    });
    int caught = 0;
    while (!done && caught <= 0) {
        timespec tick{0, 100 * 1000 * 1000};
        caught = sigtimedwait(&stops, nullptr, &tick);
        if (caught < 0 && errno != EAGAIN && errno != EINTR)
            break;
    }
    if (caught > 0) {
        spooler.RestoreBidi(printersToRestore);
        route.Remove();
        std::fflush(out);
        _exit(128 + caught);
    }
    worker.join();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);

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
