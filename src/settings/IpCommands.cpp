#include "settings/IpCommands.h"

#include "core/CIPv6Utl.h"
#include "settings/KeywordTables.h"

#include <cstdio>

namespace plintor {

namespace {

constexpr const char* kZeroIpv6 = "0000:0000:0000:0000:0000:0000:0000:0000";

const char* CommandWord(int form)
{
    return form == kWirelessForm ? "SETWLPARAMS" : "IWASETTCPIP";
}

void AppendLine(std::string& job, int form, const char* name, const std::string& value)
{
    job += "@PJL ";
    job += CommandWord(form);
    job += ' ';
    job += name;
    job += '=';
    job += value;
    job += "\r\n";
}

std::string Hex32(std::uint32_t value)
{
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(value));
    return buffer;
}

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

}

bool AppendIpCommands(IpSettings ip, std::string* job, int form, IpGatewayRule rule)
{
    if (job == nullptr)
        return false;
    const char* stack = KeywordOfIndex(IpModeTable, ip.stackMode);
    if (stack == nullptr)
        return false;
    // The IP page stores only IPv4 types 0 to 2; a record with another value is refused
    // as a whole rather than sent with a guessed type.
    if (ip.stackMode != 2 && KeywordOfIndex(Ipv4TypeTable, ip.ipv4Mode) == nullptr)
        return false;
    AppendLine(*job, form, "VSSTACKMODE", stack);
    if (ip.stackMode != 2)
        AppendIpv4Commands(ip, form, *job, rule);
    if (ip.stackMode != 1)
        AppendIpv6Commands(ip, form, *job, rule);
    return true;
}

void AppendIpv4Commands(const IpSettings& ip, int form, std::string& job, IpGatewayRule rule)
{
    const char* type = KeywordOfIndex(Ipv4TypeTable, ip.ipv4Mode);
    if (type == nullptr)
        return;  // no such IPv4 type: nothing to send
    AppendLine(job, form, "IPMODE", type);
    if (ip.ipv4Mode != 1)
        return;
    AppendLine(job, form, "IPADDRESS", Hex32(ip.ipv4Address));
    AppendLine(job, form, "SNMADDRESS", Hex32(ip.subnetMask));
    AppendLine(job, form, "GTWADDRESS", Hex32(rule == kAdHocGateways ? 0 : ip.gateway));
}

void AppendIpv6Commands(const IpSettings& ip, int form, std::string& job, IpGatewayRule rule)
{
    if (ip.ipv6Manual != 1) {
        AppendLine(job, form, "VSMANUAL", "OFF");
        AppendLine(job, form, "VSIPADDRESS", Quoted(std::string(kZeroIpv6) + "/0"));
        AppendLine(job, form, "VSGTWADDRESS", Quoted(kZeroIpv6));
        return;
    }
    AppendLine(job, form, "VSMANUAL", "ON");
    AppendLine(job, form, "VSIPADDRESS",
               Quoted(CIPv6Utl::FullFormUpper(ip.ipv6Address) + "/" + std::to_string(ip.ipv6PrefixLength)));
    AppendLine(job, form, "VSGTWADDRESS",
               Quoted(rule == kAdHocGateways ? std::string(kZeroIpv6) : CIPv6Utl::FullFormUpper(ip.ipv6Gateway)));
}

}
