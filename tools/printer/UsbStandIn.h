#pragma once

// The stand-in printer as a USB printer: a raw pseudo-terminal whose slave side plays the
// device file, and a fake sysfs tree under the --usb folder that lists it the way the
// kernel lists a usblp device:
//
//   DIR/sys/class/usbmisc/lpN/device -> ../../../devices/usb1/1-N/1-N:1.0
//   DIR/sys/devices/usb1/1-N/1-N:1.0/driver -> ../../../../bus/usb/drivers/usblp
//   DIR/sys/devices/usb1/1-N/1-N:1.0/ieee1284_id   "MFG:PLINTOR;CMD:PJL;MDL:<id>;..."
//   DIR/dev/usb/lpN -> /dev/pts/M
//
// N is the first number not yet taken in DIR, so several stand-ins can share one folder.
// The printer keeps the slave open as well, so the master never reads EIO while no host has
// the device open. Closing the master is unplugging the printer.

#include <memory>
#include <string>

namespace plintor::printer {

class CPjlPeer;
class CStandInPrinter;

class CUsbStandIn {
public:
    explicit CUsbStandIn(CStandInPrinter& printer);
    ~CUsbStandIn();

    // Creates the tree entry and the device; false with `error` set on failure.
    bool Plug(const std::string& folder, std::string& error);
    // Closes the master and removes the entry; Plug(Folder()) puts it back.
    void Unplug();
    void DiscardUnreadInput();

    bool IsPlugged() const { return master >= 0; }
    const std::string& Folder() const { return folder; }
    // DIR/dev/usb/lpN, the path the host opens.
    std::string DevicePath() const;
    unsigned Minor() const { return minor; }

private:
    bool ClaimMinor(std::string& error);
    bool OpenTerminal(std::string& error);
    bool WriteTree(std::string& error);
    void RemoveTree();

    CStandInPrinter& printer;
    std::string folder;
    unsigned minor = 0;
    bool claimed = false;
    int master = -1;
    int slave = -1;
    std::string slavePath;
    std::unique_ptr<CPjlPeer> peer;
};

}
