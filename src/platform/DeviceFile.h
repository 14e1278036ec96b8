#pragma once

#include "platform/Socket.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace plintor::platform {

// A character device opened for reading and writing (a USB printer's /dev/usb/lpN, or the
// stand-in printer's pseudo-terminal), closed by its destructor. Reads and writes wait with
// poll and a bound; there is never a bare blocking read.
class CDeviceFile {
public:
    CDeviceFile() = default;
    CDeviceFile(const CDeviceFile&) = delete;
    CDeviceFile& operator=(const CDeviceFile&) = delete;
    ~CDeviceFile();

    bool IsOpen() const { return fd >= 0; }
    int Descriptor() const { return fd; }

    // Opens an existing device file; closes what was open before.
    bool Open(const std::string& path);

    // Writes all of `bytes` within `bound`.
    IoResult WriteAll(std::string_view bytes, std::chrono::milliseconds bound);

    // One read of at most `capacity` bytes into `bytes` (replaced), waiting at most `bound`.
    // A device that went away (hang-up, EIO, ENODEV) is Failed.
    IoResult Read(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound);

    void Close();

private:
    int fd = -1;
};

}
