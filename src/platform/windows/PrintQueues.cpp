// The print spooler's queues on Windows, through winspool. The queues are the local ones
// (EnumPrintersW, PRINTER_ENUM_LOCAL, level 2, asked first for its size); pPortName of a
// PRINTER_INFO_2 holds a queue's ports, separated by commas (a pooled queue has several).
// Each queue gets the device URI that the spooler upkeep reads where the queue prints:
// a standard TCP/IP port gives "socket://ADDRESS" with the address its port monitor
// answers to XcvDataW "IPAddress" (on a handle that OpenPrinterW gives for
// ",XcvPort <port>", without defaults: SERVER_ACCESS_ADMINISTER is needed only by the
// commands that change ports); a port "USB%03d" gives "usb://MAKE/MODEL?serial=SN" from the
// IEEE 1284 id of the USB printer whose "Port Number" it is (platform/UsbPrinterClass.h), the
// same id the USB search reads; other ports give none.
//
// Holding a queue is switching off its bidirectional support, so that the spooler's
// language monitor does not talk to the printer while the wizard does: the attribute
// PRINTER_ATTRIBUTE_ENABLE_BIDI of its PRINTER_INFO_2, read with GetPrinterW (first for the
// size) and written back with SetPrinterW on a handle opened with PRINTER_ALL_ACCESS (the
// security descriptor left as it is). A queue without the attribute counts as paused by
// somebody else: it is not ours to switch on. The state message of the Linux form has no
// place here. Windows has only the local spooler: the print server is this workstation
// ("", port 0). The spooler's calls are local calls without a time-out of their own, so
// each runs on a thread of its own that the caller waits for at most its bound.
//
// None of this can run under Wine, which has no TCP/IP port monitor and no bidirectional
// queues: it is checked line by line against the documentation of EnumPrintersW,
// OpenPrinterW, PRINTER_DEFAULTSW, GetPrinterW, SetPrinterW, PRINTER_INFO_2W, XcvDataW and
// the TCPMON Xcv commands. SplitDeviceUri is exercised by the Windows unit tests.
#include "platform/PrintQueues.h"

#include "platform/UsbPrinterClass.h"
#include "platform/windows/WinText.h"

#include <winspool.h>

#include <cctype>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace plintor::platform {

namespace {

struct QueueRecord {
    std::wstring name;
    std::vector<std::wstring> ports;   // a pooled queue prints to several
    DWORD attributes = 0;
};


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

// Switches the queue's bidirectional support on or off: ERROR_SUCCESS, or the system's error.
DWORD SetBidirectional(const std::wstring& queue, bool on)
{
    PrinterHandle printer(queue, PRINTER_ALL_ACCESS);
    if (!printer.Get())
        return GetLastError();
    DWORD needed = 0;
    GetPrinterW(printer.Get(), 2, nullptr, 0, &needed);
    if (needed == 0)
        return GetLastError();
    std::vector<ULONG_PTR> buffer((needed + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    if (!GetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed))
        return GetLastError();
    bool current = (info->Attributes & PRINTER_ATTRIBUTE_ENABLE_BIDI) != 0;
    if (current == on)
        return ERROR_SUCCESS;
    if (on)
        info->Attributes |= PRINTER_ATTRIBUTE_ENABLE_BIDI;
    else
        info->Attributes &= ~static_cast<DWORD>(PRINTER_ATTRIBUTE_ENABLE_BIDI);
    info->pSecurityDescriptor = nullptr;   // SetPrinterW leaves the security as it is
    return SetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(info), 0) ? ERROR_SUCCESS : GetLastError();
}

// Percent-encoding of a URI part: everything but unreserved characters.
std::string Encoded(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            out += escape;
        }
    }
    return out;
}

std::string IdValue(const std::string& id, std::initializer_list<const char*> keys)
{
    std::size_t start = 0;
    while (start < id.size()) {
        std::size_t end = id.find(';', start);
        std::string field = id.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::size_t colon = field.find(':');
        if (colon != std::string::npos) {
            std::string key = field.substr(0, colon);
            while (!key.empty() && key.front() == ' ')
                key.erase(0, 1);
            for (const char* k : keys)
                if (_stricmp(key.c_str(), k) == 0)
                    return field.substr(colon + 1);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {};
}

// "usb://MAKE/MODEL?serial=SN" of an IEEE 1284 id; empty without make and model.
std::string UsbUriOfId(const std::string& id)
{
    std::string make = IdValue(id, {"MFG", "MANUFACTURER"});
    std::string model = IdValue(id, {"MDL", "MODEL"});
    if (make.empty() || model.empty())
        return {};
    std::string uri = "usb://" + Encoded(make) + "/" + Encoded(model);
    std::string serial = IdValue(id, {"SN", "SERN", "SERIALNUMBER"});
    if (!serial.empty())
        uri += "?serial=" + Encoded(serial);
    return uri;
}

// The port number of a port named "USB%03d", 0 for other names.
unsigned UsbPortNumber(const std::wstring& port)
{
    if (port.size() < 4 || _wcsnicmp(port.c_str(), L"USB", 3) != 0)
        return 0;
    unsigned number = 0;
    for (std::size_t i = 3; i < port.size(); ++i) {
        if (port[i] < L'0' || port[i] > L'9' || number > 100000)
            return 0;
        number = number * 10 + static_cast<unsigned>(port[i] - L'0');
    }
    return number;
}

std::string DeviceUriOfPorts(const std::vector<std::wstring>& ports, std::map<unsigned, std::string>& usbIds,
                             bool& usbListed)
{
    for (const std::wstring& port : ports) {
        if (unsigned number = UsbPortNumber(port)) {
            if (!usbListed) {
                for (const UsbPrinterNode& node : ListUsbPrinters(UsbRoots{}))
                    usbIds[node.minor + 1u] = node.deviceId;
                usbListed = true;
            }
            auto found = usbIds.find(number);
            if (found != usbIds.end())
                if (std::string uri = UsbUriOfId(found->second); !uri.empty())
                    return uri;
            continue;
        }
        if (std::optional<std::wstring> address = TcpPortAddress(port)) {
            std::string host = windows::AnsiFromWide(*address);
            if (host.find(':') != std::string::npos)
                host = "[" + host + "]";
            return "socket://" + host;
        }
    }
    return {};
}

// Runs `call` on a thread of its own and waits at most `bound` for its result; nothing when
// it is late (it then ends in the background, and its result goes nowhere).
template <class Result>
std::optional<Result> Bounded(std::function<Result()> call, std::chrono::milliseconds bound)
{
    struct Pending {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<Result> result;
    };
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, call = std::move(call)] {
            Result result = call();
            std::lock_guard lock(pending->mutex);
            pending->result = std::move(result);
            pending->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, bound, [&] { return pending->result.has_value(); }))
        return std::nullopt;
    return std::move(pending->result);
}

std::string SystemText(DWORD error)
{
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(error) : windows::AnsiFromWide(message);
}

}

struct CPrintServerConnection::Session {
    std::chrono::milliseconds bound{0};
    bool connected = false;
};

PrintServer CurrentPrintServer()
{
    return {};   // the local spooler
}

bool SplitDeviceUri(const std::string& uri, DeviceUriParts& parts)
{
    std::size_t colon = uri.find("://");
    if (colon == std::string::npos || colon == 0)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(uri[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    std::size_t authorityStart = colon + 3;
    std::size_t authorityEnd = uri.find_first_of("/?#", authorityStart);
    std::string authority = uri.substr(authorityStart, authorityEnd == std::string::npos ? std::string::npos
                                                                                       : authorityEnd - authorityStart);
    if (std::size_t at = authority.rfind('@'); at != std::string::npos)
        authority.erase(0, at + 1);
    std::string host = authority;
    if (!host.empty() && host.front() == '[') {
        std::size_t close = host.find(']');
        if (close == std::string::npos)
            return false;
        host = host.substr(0, close + 1);
    } else if (std::size_t port = host.rfind(':'); port != std::string::npos) {
        host.erase(port);
    }
    parts.scheme = uri.substr(0, colon);
    parts.host = host;
    parts.resource = authorityEnd == std::string::npos ? "/" : uri.substr(authorityEnd);
    if (parts.resource.front() != '/')
        parts.resource.insert(0, "/");
    return true;
}

CPrintServerConnection::CPrintServerConnection(const PrintServer& printServer, std::chrono::milliseconds bound)
    : server(printServer)
    , session(std::make_unique<Session>())
{
    session->bound = bound;
    if (!server.host.empty())
        return;   // only this workstation's spooler is reached
    auto answered = Bounded<bool>(
        [] {
            DWORD needed = 0;
            DWORD count = 0;
            return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count) != FALSE
                   || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
        },
        bound);
    session->connected = answered.value_or(false);
}

CPrintServerConnection::~CPrintServerConnection() = default;

bool CPrintServerConnection::Connected() const
{
    return session->connected;
}

std::vector<PrintQueue> CPrintServerConnection::Queues()
{
    if (!session->connected)
        return {};
    auto queues = Bounded<std::vector<PrintQueue>>(
        [] {
            std::vector<PrintQueue> result;
            std::map<unsigned, std::string> usbIds;
            bool usbListed = false;
            for (const QueueRecord& record : LocalQueues()) {
                PrintQueue queue;
                queue.name = windows::AnsiFromWide(record.name);
                queue.deviceUri = DeviceUriOfPorts(record.ports, usbIds, usbListed);
                queue.stopped = (record.attributes & PRINTER_ATTRIBUTE_ENABLE_BIDI) == 0;
                result.push_back(std::move(queue));
            }
            return result;
        },
        session->bound);
    return queues.value_or(std::vector<PrintQueue>{});
}

QueueAnswer CPrintServerConnection::Pause(const std::string& queue, const std::string&)
{
    return Request(true, queue, {});
}

QueueAnswer CPrintServerConnection::Resume(const std::string& queue)
{
    return Request(false, queue, {});
}

QueueAnswer CPrintServerConnection::Request(bool pause, const std::string& queue, const std::string&)
{
    if (!session->connected)
        return QueueAnswer::Refused;
    std::wstring name = windows::WideFromAnsi(queue);
    auto error = Bounded<DWORD>([name, pause] { return SetBidirectional(name, !pause); }, session->bound);
    if (!error) {
        lastError = "the spooler did not answer in time";
        return QueueAnswer::Refused;
    }
    if (*error == ERROR_SUCCESS)
        return QueueAnswer::Accepted;
    if (*error == ERROR_INVALID_PRINTER_NAME)
        return QueueAnswer::NotFound;
    lastError = SystemText(*error);
    return QueueAnswer::Refused;
}

}
