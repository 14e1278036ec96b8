#include "StandInPrinter.h"

#include "PjlTcpService.h"
#include "UsbStandIn.h"

#include <cstdio>
#include <fstream>

namespace plintor::printer {

namespace {

// Writes `text` to `path` through a temporary file, so that a reader never sees half of it.
void WriteWhole(const std::string& path, const std::string& text)
{
    if (path.empty())
        return;
    std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
    }
    std::rename(temporary.c_str(), path.c_str());
}

}

CStandInPrinter::CStandInPrinter(PrinterOptions printerOptions)
    : options(std::move(printerOptions)), log(options.logFile), responder(options)
{
}

CStandInPrinter::~CStandInPrinter()
{
    // Connections first: they log what they hold and unregister from the loop.
    tcp.reset();
    usb.reset();
}

bool CStandInPrinter::Start(std::string& error)
{
    tcp = std::make_unique<CPjlTcpService>(*this);
    if (!tcp->Listen(options.bind, options.pjlPort, error))
        return false;
    AddReady("pjl-port", std::to_string(tcp->Port()));
    if (!options.usbDir.empty()) {
        usb = std::make_unique<CUsbStandIn>(*this);
        if (!usb->Plug(options.usbDir, error))
            return false;
        AddReady("usb-device", usb->DevicePath());
        AddReady("usb-port", std::to_string(usb->Minor() + 1));
    }
    return true;
}

int CStandInPrinter::PjlPort() const
{
    return tcp ? tcp->Port() : 0;
}

void CStandInPrinter::AddReady(std::string key, std::string value)
{
    ready.emplace_back(std::move(key), std::move(value));
}

void CStandInPrinter::ReportReady()
{
    std::string line = "plintor-printer: ready";
    std::string lines;
    for (const auto& [key, value] : ready) {
        line += " " + key + "=" + value;
        lines += key + "=" + value + "\n";
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (!options.portFile.empty())
        WriteWhole(options.portFile, std::to_string(PjlPort()) + "\n");
    WriteWhole(options.readyFile, lines);
}

void CStandInPrinter::GoOffline(std::chrono::milliseconds duration)
{
    if (offline)
        return;
    offline = true;
    int port = PjlPort();
    // From the loop, so that the connection that asked for the restart is not destroyed
    // under its own feet.
    loop.After(std::chrono::milliseconds(0), [this, port, duration] {
        if (tcp)
            tcp->Stop();
        if (usb)
            usb->Unplug();
        loop.After(duration, [this, port] {
            offline = false;
            std::string error;
            if (tcp && !tcp->Listen(options.bind, port, error))
                std::fprintf(stderr, "plintor-printer: %s\n", error.c_str());
            if (usb && !usb->Plug(options.usbDir, error))
                std::fprintf(stderr, "plintor-printer: %s\n", error.c_str());
        });
    });
}

void CStandInPrinter::UnplugUsb()
{
    if (usb)
        loop.After(std::chrono::milliseconds(0), [this] { usb->Unplug(); });
}

void CStandInPrinter::DiscardUnreadUsbInput()
{
    if (usb)
        usb->DiscardUnreadInput();
}

}
