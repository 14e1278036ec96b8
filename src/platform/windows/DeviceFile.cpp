// The USB printer's device file on Windows: the device interface path opened with
// CreateFileW for reading and writing, shared for both, existing only, with
// FILE_FLAG_OVERLAPPED, so that every ReadFile and WriteFile can be waited for with a bound.
// Each transfer gets an OVERLAPPED with a manual-reset event; a call that returns FALSE
// with ERROR_IO_PENDING is waited for with WaitForSingleObject and the rest of the bound,
// and its count read with GetOverlappedResult. A transfer still pending at the bound is
// cancelled with CancelIoEx, and its completion (cancelled or finished meanwhile) is
// waited for before the OVERLAPPED goes away, as the system requires; a write that finished
// in that moment still counts.
//
// What it relies on, from the usbprint driver: a write completes once its bulk transfer
// has completed, so WriteAll's Ok means the job is with the printer, and closing the
// handle cannot cut it off (no drain wait as on Linux is needed); a read completes with the
// bytes of one transfer, 0 bytes for a zero-length packet (Closed); an unplugged printer
// fails its transfers (ERROR_DEVICE_NOT_CONNECTED, ERROR_GEN_FAILURE, ...): Failed. These
// parts cannot run without a real printer and are checked against the documentation of
// CreateFileW, ReadFile, WriteFile, GetOverlappedResult, WaitForSingleObject and
// CancelIoEx; the Windows unit tests exercise the same code under Wine with a named pipe
// standing in for the printer (answers in pieces, silence, a printer that goes away).
#include "platform/DeviceFile.h"

#include "platform/windows/WinText.h"

#include <algorithm>
#include <climits>

namespace plintor::platform {

using windows::ScopedHandle;

namespace {

using Clock = std::chrono::steady_clock;

DWORD RemainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<DWORD>(std::min<long long>(left, 1 << 30));
}

NativeFile OpenDevice(const std::string& path)
{
    HANDLE handle = CreateFileW(windows::WideFromAnsi(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                                nullptr);
    return handle == INVALID_HANDLE_VALUE ? kNoFile : handle;
}

}

CDeviceFile::CDeviceFile(DeviceCalls deviceCalls) : calls(deviceCalls) {}

CDeviceFile::~CDeviceFile()
{
    Close();
}

void CDeviceFile::Close()
{
    if (fd == kNoFile)
        return;
    CloseHandle(fd);
    fd = kNoFile;
}

bool CDeviceFile::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return false;
    fd = OpenDevice(path);
    return fd != kNoFile;
}

IoResult CDeviceFile::Transfer(bool reading, void* buffer, std::size_t size, std::size_t& moved,
                               Clock::time_point deadline)
{
    moved = 0;
    ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return IoResult::Failed;
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    DWORD count = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    BOOL done = reading ? ReadFile(fd, buffer, count, nullptr, &overlapped)
                        : WriteFile(fd, buffer, count, nullptr, &overlapped);
    if (!done && GetLastError() != ERROR_IO_PENDING)
        return IoResult::Failed;
    DWORD transferred = 0;
    if (!done && WaitForSingleObject(event.Get(), RemainingMs(deadline)) != WAIT_OBJECT_0) {
        CancelIoEx(fd, &overlapped);
        // The OVERLAPPED lives on this stack: wait for the cancelled transfer to complete.
        if (!GetOverlappedResult(fd, &overlapped, &transferred, TRUE) || transferred == 0)
            return IoResult::TimedOut;
        moved = transferred;
        return IoResult::Ok;
    }
    if (!GetOverlappedResult(fd, &overlapped, &transferred, FALSE)) {
        if (reading && GetLastError() == ERROR_MORE_DATA) {   // a message longer than the buffer
            moved = transferred;
            return IoResult::Ok;
        }
        return IoResult::Failed;
    }
    moved = transferred;
    return IoResult::Ok;
}

IoResult CDeviceFile::WriteAll(std::string_view bytes, std::chrono::milliseconds bound)
{
    if (fd == kNoFile)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    while (!bytes.empty()) {
        std::size_t written = 0;
        IoResult result = Transfer(false, const_cast<char*>(bytes.data()), bytes.size(), written, deadline);
        if (result != IoResult::Ok)
            return result;
        if (written == 0)
            return IoResult::Failed;
        bytes.remove_prefix(std::min(written, bytes.size()));
    }
    return IoResult::Ok;
}

IoResult CDeviceFile::Read(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    bytes.clear();
    if (fd == kNoFile)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    bytes.resize(capacity);
    std::size_t got = 0;
    IoResult result = Transfer(true, bytes.data(), capacity, got, deadline);
    bytes.resize(result == IoResult::Ok ? got : 0);
    if (result == IoResult::Ok && got == 0)
        return IoResult::Closed;   // a zero-length packet
    return result;
}

}
