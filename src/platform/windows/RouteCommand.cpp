// The link-local route with route.exe of the system folder (GetSystemDirectoryW), started
// with an argument vector through platform/RunProcess.h. Windows names interfaces by
// index in route.exe: the interface that holds the workstation's address is found with
// GetAdaptersAddresses and named by its IPv4 interface index (IfIndex). An on-link route
// is a route whose gateway is the interface's own address:
//   route ADD 169.254.0.0 MASK 255.255.0.0 <own address> IF <index>
//   route DELETE 169.254.0.0 MASK 255.255.0.0 <own address> IF <index>
// Whether the route is there is read from the IPv4 routing table (GetIpForwardTable,
// asked first for its size): a row with destination 169.254.0.0 and mask 255.255.0.0.
// route.exe of Wine does not change routes, so this is checked against the documentation
// of route.exe, GetAdaptersAddresses and GetIpForwardTable; the argument vector itself is
// exercised by the Windows unit tests.
#include "platform/RouteCommand.h"

#include "platform/Ipv4Address.h"
#include "platform/RunProcess.h"
#include "platform/windows/WinsockSession.h"
#include "platform/windows/WinText.h"

#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <vector>

namespace plintor::platform {

namespace {

constexpr const char* kLinkLocalNetwork = "169.254.0.0";
constexpr const char* kLinkLocalMask = "255.255.0.0";

}

std::string InterfaceHoldingIpv4(std::uint32_t address)
{
    ULONG size = 16 * 1024;
    std::vector<ULONG_PTR> buffer;
    IP_ADAPTER_ADDRESSES* adapters = nullptr;
    for (int attempt = 0; attempt < 4; ++attempt) {
        buffer.assign((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR), 0);
        adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
        ULONG rc = GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST
                                                     | GAA_FLAG_SKIP_DNS_SERVER, nullptr, adapters, &size);
        if (rc == NO_ERROR)
            break;
        adapters = nullptr;
        if (rc != ERROR_BUFFER_OVERFLOW)
            return {};
    }
    for (const IP_ADAPTER_ADDRESSES* a = adapters; a; a = a->Next) {
        for (const IP_ADAPTER_UNICAST_ADDRESS* u = a->FirstUnicastAddress; u; u = u->Next) {
            const sockaddr* held = u->Address.lpSockaddr;
            if (held && held->sa_family == AF_INET
                && reinterpret_cast<const sockaddr_in*>(held)->sin_addr.s_addr == address && a->IfIndex != 0)
                return std::to_string(a->IfIndex);
        }
    }
    return {};
}

RouteProgram FindRouteProgram()
{
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {{}, "route", "route ADD"};
    std::string path = windows::AnsiFromWide(std::wstring_view(system, length)) + "\\route.exe";
    return {FindProgram({path}), "route", "route ADD"};
}

std::vector<std::string> LinkLocalRouteCommand(const RouteProgram& program, RouteChange change,
                                               const std::string& interfaceName, std::uint32_t localAddress)
{
    return {program.path, change == RouteChange::Add ? "ADD" : "DELETE", kLinkLocalNetwork, "MASK", kLinkLocalMask,
            Ipv4Text(localAddress), "IF", interfaceName};
}

bool LinkLocalRouteListed()
{
    ULONG size = 0;
    if (GetIpForwardTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    std::vector<ULONG_PTR> buffer((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    auto* table = reinterpret_cast<MIB_IPFORWARDTABLE*>(buffer.data());
    if (GetIpForwardTable(table, &size, FALSE) != NO_ERROR)
        return false;
    const DWORD network = htonl(0xA9FE0000u);
    const DWORD mask = htonl(0xFFFF0000u);
    for (DWORD i = 0; i < table->dwNumEntries; ++i)
        if (table->table[i].dwForwardDest == network && table->table[i].dwForwardMask == mask)
            return true;
    return false;
}

}
