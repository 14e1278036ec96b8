#include "platform/DeviceIdText.h"
#include "platform/UsbPrinterClass.h"

namespace plintor::platform {

std::string ParseDeviceIdAnswer(std::span<const unsigned char> raw)
{
    return device_id::ParseAnswer(raw);
}

std::string ReadDeviceIdIoctl(NativeFile fd, const UsbRoots& roots)
{
    std::string raw;
    bool read = roots.deviceIdIoctl ? roots.deviceIdIoctl(fd, raw) : device_id::RealDeviceIdIoctl(fd, raw);
    if (!read)
        return {};
    return ParseDeviceIdAnswer(std::span(reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
}

}
