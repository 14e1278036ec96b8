#include "platform/UsbPrinterClass.h"

#include "platform/DeviceIdText.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace plintor::platform {

namespace fs = std::filesystem;

namespace {

// The usblp driver's device-id request: _IOC(_IOC_READ, 'P', 1, len).
constexpr unsigned long DeviceIdRequestNumber = 1;
constexpr std::size_t DeviceIdBufferBytes = 1024;

unsigned long DeviceIdRequest(std::size_t length)
{
    return _IOC(_IOC_READ, 'P', DeviceIdRequestNumber, length);
}

// "lp12" gives 12; anything else is not a usblp entry.
bool MinorOf(const std::string& name, unsigned& minor)
{
    if (name.size() < 3 || name.size() > 6 || name.compare(0, 2, "lp") != 0)
        return false;
    unsigned value = 0;
    for (std::size_t i = 2; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
    }
    minor = value;
    return true;
}

std::string ReadSmallFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::string text;
    char buffer[DeviceIdBufferBytes];
    file.read(buffer, sizeof buffer);
    text.assign(buffer, static_cast<std::size_t>(file.gcount()));
    return text;
}

}

bool device_id::RealDeviceIdIoctl(int fd, std::string& raw)
{
    unsigned char buffer[DeviceIdBufferBytes] = {};
    if (ioctl(fd, DeviceIdRequest(sizeof buffer), buffer) < 0)
        return false;
    raw.assign(reinterpret_cast<const char*>(buffer), sizeof buffer);
    return true;
}

std::vector<UsbPrinterNode> ListUsbPrinters(const UsbRoots& roots)
{
    std::vector<UsbPrinterNode> nodes;
    std::error_code error;
    fs::path classFolder = fs::path(roots.sysRoot) / "class" / "usbmisc";
    fs::directory_iterator entries(classFolder, error);
    if (error)
        return nodes;
    for (const auto& entry : entries) {
        UsbPrinterNode node;
        if (!MinorOf(entry.path().filename().string(), node.minor))
            continue;
        fs::path interface = fs::canonical(entry.path() / "device", error);
        if (error)
            continue;
        // The Linux form of the printer-class filter: the interface is bound to usblp.
        fs::path driver = fs::read_symlink(interface / "driver", error);
        if (error || driver.filename() != "usblp")
            continue;
        // The interface is "BUS-PORT.PORT:CONFIG.INTERFACE"; the device is the part before ':'.
        std::string name = interface.filename().string();
        node.location = name.substr(0, name.find(':'));
        node.devicePath = (fs::path(roots.devRoot) / "usb" / entry.path().filename()).string();
        node.deviceId = device_id::TrimDeviceId(ReadSmallFile(interface / "ieee1284_id"));
        if (node.deviceId.empty()) {
            int fd = ::open(node.devicePath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (fd >= 0) {
                node.deviceId = ReadDeviceIdIoctl(fd, roots);
                ::close(fd);
            }
        }
        nodes.push_back(std::move(node));
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const UsbPrinterNode& a, const UsbPrinterNode& b) { return a.minor < b.minor; });
    return nodes;
}

}
