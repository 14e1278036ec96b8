// The print spooler's queues with the spooler functions of winspool. EnumPrintersW
// (PRINTER_ENUM_LOCAL, level 2) is asked first for the size it needs; pPortName of a
// PRINTER_INFO_2 holds the queue's ports separated by commas (a pooled queue has several).
// The address of a standard TCP/IP port is the answer of its port monitor to XcvDataW with
// the data name "IPAddress", on a handle that OpenPrinterW gives for ",XcvPort <port>"
// without defaults (SERVER_ACCESS_ADMINISTER is needed only for the commands that change
// ports); a port of another monitor refuses
// the name. The bidirectional support of a queue is the attribute
// PRINTER_ATTRIBUTE_ENABLE_BIDI of its PRINTER_INFO_2: read with GetPrinterW (first for the
// size), changed in the record and written back with SetPrinterW on a handle opened with
// PRINTER_ALL_ACCESS, which needs administration rights on the queue.
//
// None of this can run under Wine, which has no TCP/IP port monitor and no bidirectional
// queues: it is checked line by line against the documentation of EnumPrintersW,
// OpenPrinterW, PRINTER_DEFAULTSW, GetPrinterW, SetPrinterW, PRINTER_INFO_2W, XcvDataW
// and the TCPMON Xcv commands.
#include "platform/windows/PrinterQueues.h"

#include <winspool.h>

namespace plintor::platform::windows {

namespace {

std::vector<std::wstring> SplitPorts(const wchar_t* text)
{
    std::vector<std::wstring> ports;
    if (!text)
        return ports;
    std::wstring all(text);
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t comma = all.find(L',', start);
        std::wstring port = all.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        while (!port.empty() && port.front() == L' ')
            port.erase(port.begin());
        while (!port.empty() && port.back() == L' ')
            port.pop_back();
        if (!port.empty())
            ports.push_back(port);
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    return ports;
}

class PrinterHandle {
public:
    // `access` 0: no defaults, the access that needs no special security.
    PrinterHandle(const std::wstring& name, ACCESS_MASK access)
    {
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
        if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle, access ? &defaults : nullptr))
            handle = nullptr;
    }
    ~PrinterHandle()
    {
        if (handle)
            ClosePrinter(handle);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return handle; }

private:
    HANDLE handle = nullptr;
};

}

std::vector<QueueRecord> LocalQueues()
{
    std::vector<QueueRecord> queues;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return queues;
    std::vector<ULONG_PTR> buffer((needed + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed,
                       &count))
        return queues;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (!printers[i].pPrinterName)
            continue;
        queues.push_back({printers[i].pPrinterName, SplitPorts(printers[i].pPortName), printers[i].Attributes});
    }
    return queues;
}

std::optional<std::wstring> TcpPortAddress(const std::wstring& port)
{
    PrinterHandle xcv(L",XcvPort " + port, 0);
    if (!xcv.Get())
        return std::nullopt;
    wchar_t address[256] = {};
    DWORD needed = 0;
    DWORD status = ERROR_SUCCESS;
    if (!XcvDataW(xcv.Get(), L"IPAddress", nullptr, 0, reinterpret_cast<BYTE*>(address), sizeof address - sizeof(wchar_t),
                  &needed, &status)
        || status != ERROR_SUCCESS || address[0] == L'\0')
        return std::nullopt;
    return std::wstring(address);
}

bool SetBidirectional(const std::wstring& queue, bool on, bool* wasOn)
{
    PrinterHandle printer(queue, PRINTER_ALL_ACCESS);
    if (!printer.Get())
        return false;
    DWORD needed = 0;
    GetPrinterW(printer.Get(), 2, nullptr, 0, &needed);
    if (needed == 0)
        return false;
    std::vector<ULONG_PTR> buffer((needed + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    if (!GetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed))
        return false;
    bool current = (info->Attributes & PRINTER_ATTRIBUTE_ENABLE_BIDI) != 0;
    if (wasOn)
        *wasOn = current;
    if (current == on)
        return true;
    if (on)
        info->Attributes |= PRINTER_ATTRIBUTE_ENABLE_BIDI;
    else
        info->Attributes &= ~static_cast<DWORD>(PRINTER_ATTRIBUTE_ENABLE_BIDI);
    // The security descriptor is left as it is: SetPrinterW changes it only when one is given.
    info->pSecurityDescriptor = nullptr;
    return SetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(info), 0) != FALSE;
}

}
