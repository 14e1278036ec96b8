#include "UsbStandIn.h"

#include "PjlPeer.h"
#include "StandInPrinter.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace plintor::printer {

namespace fs = std::filesystem;

namespace {

constexpr unsigned MaxMinor = 15;

std::string Interface(unsigned minor)
{
    return "1-" + std::to_string(minor + 1) + ":1.0";
}

std::string Device(unsigned minor)
{
    return "1-" + std::to_string(minor + 1);
}

}

CUsbStandIn::CUsbStandIn(CStandInPrinter& owner) : printer(owner) {}

CUsbStandIn::~CUsbStandIn()
{
    Unplug();
    if (claimed) {
        std::error_code ignored;
        fs::remove_all(fs::path(folder) / "sys" / "devices" / "usb1" / Device(minor), ignored);
    }
}

std::string CUsbStandIn::DevicePath() const
{
    return (fs::path(folder) / "dev" / "usb" / ("lp" + std::to_string(minor))).string();
}

bool CUsbStandIn::ClaimMinor(std::string& error)
{
    std::error_code ec;
    fs::path devices = fs::path(folder) / "sys" / "devices" / "usb1";
    fs::create_directories(devices, ec);
    if (ec) {
        error = "cannot create " + devices.string() + ": " + ec.message();
        return false;
    }
    // The device folder is the claim: mkdir is atomic, so two stand-ins never share a number.
    for (unsigned n = 0; n <= MaxMinor; ++n) {
        if (::mkdir((devices / Device(n)).c_str(), 0755) == 0) {
            minor = n;
            claimed = true;
            return true;
        }
        if (errno != EEXIST) {
            error = "cannot create " + (devices / Device(n)).string() + ": " + std::strerror(errno);
            return false;
        }
    }
    error = "no free USB printer number in " + folder;
    return false;
}

bool CUsbStandIn::OpenTerminal(std::string& error)
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master, name, sizeof name) != 0) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    slavePath = name;
    slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) {
        error = "cannot open " + slavePath + ": " + std::strerror(errno);
        return false;
    }
    // Raw: no echo, no line editing, no character translation; 8-bit clean both ways.
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    if (printer.Options().faults.zeroLength > 0) {
        // Canonical input, so that the end-of-file character gives the host reads of 0
        // bytes (the stand-in's zero-length packets, PjlPeer.cpp). No other character edits
        // the line; a line longer than the terminal's 4095 bytes would be cut.
        raw.c_lflag |= ICANON;
        raw.c_cc[VEOF] = 4;
        for (int special : {VERASE, VKILL, VEOL, VEOL2})
            raw.c_cc[special] = _POSIX_VDISABLE;
    }
    tcsetattr(slave, TCSANOW, &raw);
    return true;
}

bool CUsbStandIn::WriteTree(std::string& error)
{
    std::error_code ec;
    fs::path root(folder);
    fs::path interface = root / "sys" / "devices" / "usb1" / Device(minor) / Interface(minor);
    fs::path drivers = root / "sys" / "bus" / "usb" / "drivers" / "usblp";
    fs::path entry = root / "sys" / "class" / "usbmisc" / ("lp" + std::to_string(minor));
    fs::path devUsb = root / "dev" / "usb";
    fs::create_directories(interface, ec);
    fs::create_directories(drivers, ec);
    fs::create_directories(entry, ec);
    fs::create_directories(devUsb, ec);
    if (ec) {
        error = "cannot create the USB tree under " + folder + ": " + ec.message();
        return false;
    }
    fs::remove(interface / "driver", ec);
    fs::create_directory_symlink("../../../../bus/usb/drivers/usblp", interface / "driver", ec);
    fs::remove(entry / "device", ec);
    fs::create_directory_symlink("../../../devices/usb1/" + Device(minor) + "/" + Interface(minor),
                                 entry / "device", ec);
    {
        const std::string& id = printer.Options().id;
        std::ofstream file(interface / "ieee1284_id", std::ios::binary | std::ios::trunc);
        file << "MFG:PLINTOR;CMD:PJL;MDL:" << id << ";CLS:PRINTER;DES:" << id
             << ";SN:PLN" << (1000 + minor) << ";\n";
    }
    fs::path device = DevicePath();
    fs::remove(device, ec);
    fs::create_symlink(slavePath, device, ec);
    if (ec) {
        error = "cannot link " + device.string() + ": " + ec.message();
        return false;
    }
    return true;
}

void CUsbStandIn::RemoveTree()
{
    if (!claimed)
        return;
    std::error_code ignored;
    fs::remove(DevicePath(), ignored);
    fs::remove_all(fs::path(folder) / "sys" / "class" / "usbmisc" / ("lp" + std::to_string(minor)), ignored);
}

bool CUsbStandIn::Plug(const std::string& where, std::string& error)
{
    if (IsPlugged())
        return true;
    folder = where;
    if (!claimed && !ClaimMinor(error))
        return false;
    if (!OpenTerminal(error) || !WriteTree(error)) {
        Unplug();
        return false;
    }
    peer = std::make_unique<CPjlPeer>(printer, master, CPjlPeer::Kind::Usb, [this] {
        // The peer closed the device (early close): unplug, and plug in again shortly.
        Unplug();
        printer.Loop().After(std::chrono::milliseconds(500), [this] {
            std::string ignored;
            if (!printer.IsOffline())
                Plug(folder, ignored);
        });
    });
    return true;
}

void CUsbStandIn::Unplug()
{
    RemoveTree();
    if (peer) {
        peer.reset(); // closes the master
    } else if (master >= 0) {
        ::close(master);
    }
    master = -1;
    if (slave >= 0)
        ::close(slave);
    slave = -1;
}

void CUsbStandIn::DiscardUnreadInput()
{
    if (slave >= 0)
        tcflush(slave, TCIFLUSH);
}

}
