#pragma once

// A stand-in printer (plintor-printer) run as a child process for one test: ephemeral PJL
// port on 127.0.0.1, a job log and, on request, a USB stand-in, all in a fresh temporary
// folder that goes with the object. The constructor waits (bounded) until the printer
// reports itself ready; the destructor stops it by its process id and reaps it.

#include "platform/UsbPrinterClass.h"
#include "TestEnvironment.h"

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace plintor::test {

// A port of 127.0.0.1 that nobody listens on: bound, read back and closed.
int FreeLoopbackPort();

class CPrinterProcess {
public:
    struct Setup {
        std::vector<std::string> arguments; // extra command-line arguments
        bool usb = false;                   // also a USB printer (--usb DIR/usb)
        std::string usbFolder;              // share this --usb folder instead
        std::string bind = "127.0.0.1";
    };

    explicit CPrinterProcess(Setup setup);
    ~CPrinterProcess();
    CPrinterProcess(const CPrinterProcess&) = delete;
    CPrinterProcess& operator=(const CPrinterProcess&) = delete;

    bool Ready() const { return ready; }
    int Port() const { return port; }
    // The UDP port of the SNMP agent, 0 if it did not start (pass --snmp-port 0 for a free one).
    int SnmpPort() const { return snmpPort; }
    pid_t Pid() const { return pid; }
    const std::string& Folder() const { return folder; }
    // The --usb folder and the roots that list the USB stand-in.
    const std::string& UsbFolder() const { return usbFolder; }
    platform::UsbRoots UsbRoots() const;
    // The device file path the stand-in reported.
    const std::string& UsbDevice() const { return usbDevice; }

    // Everything the printer logged so far.
    std::string Log() const;
    // Waits (bounded) until the log holds at least `bytes` bytes; returns the log.
    std::string WaitForLog(std::size_t bytes, std::chrono::milliseconds bound = std::chrono::seconds(5)) const;
    // Waits (bounded) until `path` exists again (the USB stand-in replugged).
    static bool WaitForPath(const std::string& path, std::chrono::milliseconds bound);

private:
    std::string folder;
    std::string usbFolder;
    std::string usbDevice;
    pid_t pid = -1;
    int port = 0;
    int snmpPort = 0;
    bool ready = false;
};

}
