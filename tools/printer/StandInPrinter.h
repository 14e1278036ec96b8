#pragma once

// One stand-in printer: the options it was started with, the loop every service registers
// with, the PJL responder, the job log, and the services (PJL over TCP, the USB stand-in).
//
// Where other parts plug in:
// - a new service (an SNMP agent, say) opens its descriptors in its own class and registers
//   them with Loop().Watch(); it is made in main() after Start() and reports what tests need
//   with AddReady("snmp-port", ...) before ReportReady();
// - printer state (settings applied on "@PJL REBOOT", DINQUIRE answers, survey answers)
//   hooks into Responder(): AddCommand, SetVariableSource, AddJobObserver;
// - a restart makes the printer unreachable with GoOffline(duration).

#include "EventLoop.h"
#include "JobLog.h"
#include "PjlResponder.h"
#include "PrinterOptions.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace plintor::printer {

class CPjlTcpService;
class CUsbStandIn;

class CStandInPrinter {
public:
    explicit CStandInPrinter(PrinterOptions options);
    ~CStandInPrinter();

    // Opens the services the options ask for; false (with `error` set) if one cannot start.
    bool Start(std::string& error);
    // Adds a KEY=VALUE pair to the ready report.
    void AddReady(std::string key, std::string value);
    // Prints the ready line and writes --port-file and --ready-file. Call once, after every
    // service is listening.
    void ReportReady();
    int Run() { return loop.Run(); }

    // The printer stops answering (listeners and connections closed, the USB device
    // unplugged) and comes back after `duration`, on the same port and device.
    void GoOffline(std::chrono::milliseconds duration);
    bool IsOffline() const { return offline; }

    // The USB device goes away (the pseudo-terminal's master is closed) and comes back after
    // a short while as a fresh device at the same path.
    void UnplugUsb();
    // Drops what the device sent that the host has not read.
    void DiscardUnreadUsbInput();

    CEventLoop& Loop() { return loop; }
    CPjlResponder& Responder() { return responder; }
    const CJobLog& Log() const { return log; }
    const PrinterOptions& Options() const { return options; }
    int PjlPort() const;

private:
    PrinterOptions options;
    CEventLoop loop;
    CJobLog log;
    CPjlResponder responder;
    std::unique_ptr<CPjlTcpService> tcp;
    std::unique_ptr<CUsbStandIn> usb;
    std::vector<std::pair<std::string, std::string>> ready;
    bool offline = false;
};

}
