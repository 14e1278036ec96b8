#pragma once

// The IEEE 1284 device id as the printer class hands it, read alike by both forms of
// UsbPrinterClass.cpp: the raw answer of the device-id request (a length, then the id) and
// the id text itself (sysfs's ieee1284_id on Linux).

#include "platform/NativeHandles.h"

#include <span>
#include <string>

namespace plintor::platform::device_id {

// The id text without what follows its first NUL and without trailing line ends and blanks.
inline std::string TrimDeviceId(std::string text)
{
    auto nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

inline std::string ParseAnswer(std::span<const unsigned char> raw)
{
    if (raw.size() < 2)
        return {};
    std::size_t bigEndian = static_cast<std::size_t>(raw[0]) << 8 | raw[1];
    std::size_t littleEndian = static_cast<std::size_t>(raw[1]) << 8 | raw[0];
    auto fits = [&](std::size_t length) { return length >= 2 && length <= raw.size(); };
    std::size_t end = raw.size();
    if (fits(bigEndian))
        end = bigEndian;
    else if (fits(littleEndian))
        end = littleEndian;
    std::string id(reinterpret_cast<const char*>(raw.data()) + 2, end - 2);
    return TrimDeviceId(std::move(id));
}

// The raw answer of the device-id request to an open device; each form of
// UsbPrinterClass.cpp makes the request its own system's way.
bool RealDeviceIdIoctl(NativeFile fd, std::string& raw);

}
