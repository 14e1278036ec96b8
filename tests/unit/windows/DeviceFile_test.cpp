// The overlapped device file against a named pipe that plays the printer: the pipe's
// client end is opened the way the device interface path is (overlapped, read and write).
#include "platform/DeviceFile.h"

#include "platform/windows/WinText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;

class PipePrinter {
public:
    PipePrinter()
    {
        name = L"\\\\.\\pipe\\plintor-device-" + std::to_wstring(GetCurrentProcessId()) + L"-"
               + std::to_wstring(++serial);
        server = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                                  1, 4096, 4096, 0, nullptr);
    }
    ~PipePrinter()
    {
        if (server != INVALID_HANDLE_VALUE)
            CloseHandle(server);
    }

    std::string Path() const { return windows::AnsiFromWide(name); }

    // The device file opened through the test's opener, and the server side connected.
    bool Open(CDeviceFile& device)
    {
        if (server == INVALID_HANDLE_VALUE || !device.Open(Path()))
            return false;
        return ConnectNamedPipe(server, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    }

    std::string ReadJob()
    {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(server, buffer, sizeof buffer, &got, nullptr) && GetLastError() != ERROR_MORE_DATA)
            return {};
        return std::string(buffer, got);
    }

    void Answer(std::string_view piece)
    {
        DWORD written = 0;
        WriteFile(server, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr);
    }

    void GoAway()
    {
        CloseHandle(server);
        server = INVALID_HANDLE_VALUE;
    }

private:
    static inline int serial = 0;
    std::wstring name;
    HANDLE server = INVALID_HANDLE_VALUE;
};

TEST(WindowsDeviceFile, JobReachesThePrinterAndAnswersAreReadInThePiecesSent)
{
    PipePrinter printer;
    CDeviceFile device;
    ASSERT_TRUE(printer.Open(device));
    const std::string job = "\x1b%-12345X@PJL INFO ID\r\n\x1b%-12345X";
    ASSERT_EQ(device.WriteAll(job, 2000ms), IoResult::Ok);
    EXPECT_EQ(printer.ReadJob(), job);

    std::string piece;
    printer.Answer("@PJL INFO ID\r\n");
    ASSERT_EQ(device.Read(piece, 1024, 2000ms), IoResult::Ok);
    EXPECT_EQ(piece, "@PJL INFO ID\r\n");
    printer.Answer("\"MODEL 1\"\r\n\x0c");
    ASSERT_EQ(device.Read(piece, 4, 2000ms), IoResult::Ok);   // no more than asked for
    EXPECT_EQ(piece, "\"MOD");
    ASSERT_EQ(device.Read(piece, 1024, 2000ms), IoResult::Ok);
    EXPECT_EQ(piece, "EL 1\"\r\n\x0c");
}

TEST(WindowsDeviceFile, SilentPrinterEndsTheReadAtItsBoundAndTheChannelStaysUsable)
{
    PipePrinter printer;
    CDeviceFile device;
    ASSERT_TRUE(printer.Open(device));
    std::string bytes = "left over";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.Read(bytes, 1024, 300ms), IoResult::TimedOut);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 290ms);
    EXPECT_LT(waited, 5s);
    EXPECT_TRUE(bytes.empty());
    // The cancelled read took nothing away: the next answer arrives whole.
    printer.Answer("@PJL ECHO\r\n\x0c");
    ASSERT_EQ(device.Read(bytes, 1024, 2000ms), IoResult::Ok);
    EXPECT_EQ(bytes, "@PJL ECHO\r\n\x0c");
}

TEST(WindowsDeviceFile, PrinterThatGoesAwayFailsAtOnceAndAMissingOneDoesNotOpen)
{
    PipePrinter printer;
    CDeviceFile device;
    ASSERT_TRUE(printer.Open(device));
    printer.GoAway();
    std::string bytes;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.Read(bytes, 1024, 5000ms), IoResult::Failed);
    EXPECT_EQ(device.WriteAll("@PJL\r\n", 5000ms), IoResult::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);

    CDeviceFile missing;
    EXPECT_FALSE(missing.Open(printer.Path() + "-none"));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.WriteAll("x", 100ms), IoResult::Failed);
}

}
}
