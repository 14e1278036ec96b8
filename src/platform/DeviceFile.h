#pragma once

#include "platform/NativeHandles.h"
#include "platform/Socket.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#if !defined(_WIN32)
#include <poll.h>
#include <sys/types.h>
#endif

namespace plintor::platform {

#if defined(_WIN32)
// The Windows form replaces none of its calls: its tests open a named pipe's client end as
// the device path, and play the printer at the pipe's server end.
struct DeviceCalls {};
#else
// The system calls a device file makes. Tests hand fakes that play what no test can get
// from the kernel (a printer whose driver reports its buffer drained late or never, one that
// sends zero-length packets, one that goes away); a member left empty is the system's call.
// Fakes report errors through errno, as the system does.
struct DeviceCalls {
    std::function<int(const char* path, int flags)> open;
    std::function<ssize_t(int fd, void* buffer, std::size_t size)> read;
    std::function<ssize_t(int fd, const void* bytes, std::size_t size)> write;
    std::function<int(pollfd& entry, int timeoutMs)> poll;
    std::function<int(int fd)> close;
};
#endif

// A USB printer's device file (/dev/usb/lpN, or the stand-in printer's pseudo-terminal),
// opened non-blocking for reading and writing and closed by its destructor. Every read and
// write waits with poll and a bound; there is never a bare blocking call.
//
// What it relies on, from the Linux usblp driver:
// - A non-blocking write returns as soon as its transfer is submitted, and closing the file
//   cancels the transfers still in flight. poll reports POLLOUT once the last write has
//   completed, so WriteAll waits for that report (within its bound) before it returns Ok:
//   the job is then with the printer, and closing cannot cut it off.
// - A read returns 0 bytes when the printer sent a zero-length packet; that is an answer
//   of nothing, not an end (Read reports it as Closed, "delivered no bytes").
// - An unplugged device makes poll report POLLHUP (kernels since 5.12) and reads and writes
//   fail with ENODEV, ESHUTDOWN or EIO; any of these is Failed. The stand-in printer's
//   pseudo-terminal, once its master side is closed, reports POLLHUP the same way. Only a
//   drain report (POLLOUT) that comes with the hang-up stands: the job was taken.
//
// The Windows form opens the device interface path with overlapped input and output and
// bounds every ReadFile and WriteFile with a wait on its completion (platform/windows).
class CDeviceFile {
public:
    CDeviceFile() = default;
    explicit CDeviceFile(DeviceCalls calls);
    CDeviceFile(const CDeviceFile&) = delete;
    CDeviceFile& operator=(const CDeviceFile&) = delete;
    ~CDeviceFile();

    bool IsOpen() const { return fd != kNoFile; }
    NativeFile Descriptor() const { return fd; }

    // Opens an existing device file; closes what was open before.
    bool Open(const std::string& path);

    // Writes all of `bytes` and waits until the driver reports them drained, all within
    // `bound`. TimedOut when the bound passed first: the job may not have reached the
    // printer, and closing now would cancel it.
    IoResult WriteAll(std::string_view bytes, std::chrono::milliseconds bound);

    // One read of at most `capacity` bytes into `bytes` (replaced), waiting at most `bound`.
    // Closed for a read of 0 bytes (a zero-length packet); Failed for a device that went away.
    IoResult Read(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound);

    void Close();

private:
#if defined(_WIN32)
    IoResult Transfer(bool reading, void* buffer, std::size_t size, std::size_t& moved,
                      std::chrono::steady_clock::time_point deadline);
#else
    IoResult Wait(short events, std::chrono::steady_clock::time_point deadline);
#endif

    DeviceCalls calls;
    NativeFile fd = kNoFile;
};

}
