#include "discovery/NetworkDiscovery.h"

#include "config/TextCompare.h"
#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/FormatMac.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/SnmpClient.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/WirelessAdapter.h"
#include "platform/Datagram.h"
#include "platform/Ipv4Address.h"

#include <cstring>
#include <string>

namespace plintor {

namespace {

void CopyField(char (&field)[256], const char* text)
{
    std::size_t n = strnlen(text, sizeof field - 1);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

void HoldQueues(CSpoolerUpkeep* spooler, const DiscoveryContext& context, const std::string& address)
{
    if (spooler && context.printersToRestore)
        spooler->DisableBidi(address, CSpoolerUpkeep::kNetworkForm, *context.printersToRestore);
}

// Steps shared by both passes for a printer that is new to the list: hold its queues and
// ask for its capability when the IP settings are configured. False drops the printer.
bool PreparePrinter(const DiscoveryContext& context, CSpoolerUpkeep* spooler, PrinterEntry& entry)
{
    HoldQueues(spooler, context, entry.NetworkAddress());
    entry.options = -1;
    if (context.configureFlags & kConfigureIp) {
        std::int32_t options = -1;
        if (!QueryOptions(entry, options, context.configFilePath))
            return false;
        entry.options = options;
    }
    return true;
}

}

int GetMac(SnmpClient& client, SnmpAnswer& answer)
{
    if (client.AnswerLength() >= 256)
        return 0;
    std::memset(&answer, 0, sizeof answer);
    CopyField(answer.address, client.AnswerAddress());
    CopyField(answer.objectId, reinterpret_cast<const char*>(client.AnswerValue()));

    SnmpClient mac;
    if (!mac.Setup(answer.address, kIfPhysAddressOid, 4) || !mac.Run())
        return 0;
    std::string text;
    if (!FormatMac(mac.AnswerValue(), mac.AnswerLength(), text))
        return 0;
    CopyField(answer.mac, text.c_str());
    return 1;
}

int RunDiscoveryPass(int kind, DiscoveryPass& pass, const DiscoveryContext& context)
{
    pass.answerCount = 0;
    pass.answerIndex = 0;
    const char* target = kind == 1 ? "255.255.255.255" : kind == 2 ? "ff02::1" : nullptr;
    if (!target)
        return 0;
    auto report = [&context, kind](const std::string& why) {
        if (context.reportProblem)
            context.reportProblem(std::string(kind == 1 ? "the IPv4 search (255.255.255.255)"
                                                        : "the IPv6 search (ff02::1)")
                                  + " could not run: " + why);
    };
    SnmpClient client;
    if (!client.Setup(target, kSysObjectIdOid, 6)) {
        report("the workstation's host name or address could not be found");
        return 0;
    }
    if (kind == 1 && !pass.routeAdded) {
        const std::uint32_t local = client.LocalAddress();
        const std::string text = local != 0 ? platform::Ipv4Text(local) : std::string();
        if (context.route) {
            context.route->Add(text);
            std::string problem = context.route->Problem();
            if (!problem.empty() && context.reportProblem)
                context.reportProblem("the route to 169.254.0.0/16 could not be added: " + problem);
        }
        pass.routeAdded = 1;
    }
    if (!client.Run()) {
        const SnmpSession& session = client.Session();
        if (session.errorKind == kSnmpErrorBind)
            report("UDP port " + std::to_string(session.port) + " could not be bound ("
                   + platform::SocketErrorText(session.platformError) + ")");
        else if (session.sentCount == 0 && session.sendError != 0)
            report("the request could not be sent (" + platform::SocketErrorText(session.sendError) + ")");
        else if (session.sentCount == 0)
            report("there is no network interface to send it on");
        return 0;
    }
    int slot = 0;
    client.First();
    do {
        if (slot >= 64)
            break;
        SnmpAnswer& answer = pass.answers[slot];
        if (!GetMac(client, answer))
            continue;
        answer.family = kind;
        ++slot;
    } while (client.Next());
    pass.answerCount = slot;
    return slot;
}

int CheckAnswer(const SnmpAnswer& answer, const DiscoveryContext& context)
{
    bool known = false;
    if (context.config) {
        for (const std::string& id : context.config->sysObjectIds)
            known = known || EqualsNoCase(id, answer.objectId);
    }
    if (!known)
        return kNotSupported;
    if ((context.configureFlags & kConfigureWireless) && context.checkWlan == 1
        && !HasWirelessAdapter(std::string(answer.address)))
        return kNoWirelessModule;
    return kSupported;
}

int DiscoverNetwork(const DiscoveryContext& context)
{
    CSpoolerUpkeep* spooler = context.spooler;
    if (!context.printers)
        return 0;
    PrinterList& list = *context.printers;
    auto pass = std::make_unique<DiscoveryPass>();

    RunDiscoveryPass(1, *pass, context);
    for (int i = 0; i < pass->answerCount; ++i) {
        const SnmpAnswer& answer = pass->answers[i];
        PrinterEntry entry;
        if (CheckAnswer(answer, context) != kSupported)
            continue;
        entry.chosen = 0;
        entry.ipv6Only = 0;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = answer.address;
        entry.macAddress = answer.mac;
        if (!PreparePrinter(context, spooler, entry))
            continue;
        list.Add(entry);
    }

    RunDiscoveryPass(2, *pass, context);
    for (int i = 0; i < pass->answerCount; ++i) {
        const SnmpAnswer& answer = pass->answers[i];
        PrinterEntry entry;
        if (CheckAnswer(answer, context) != kSupported)
            continue;
        int found = -1;
        for (int k = 0; k < list.Count() && found < 0; ++k)
            if (EqualsNoCase(list.Entries()[static_cast<std::size_t>(k)].macAddress, answer.mac))
                found = k;
        if (found >= 0) {
            // The same printer: its queues that name it by its IPv6 address are held too.
            HoldQueues(spooler, context, answer.address);
            PrinterEntry known;
            list.GetPrinter(found, known);
            known.addressIpv6 = answer.address;
            list.ReplacePrinter(found, known);
            continue;
        }
        entry.chosen = 0;
        entry.connection = kConnectionNetwork;
        entry.ipv6Only = 1;
        entry.addressIpv6 = answer.address;
        entry.macAddress = answer.mac;
        if (!PreparePrinter(context, spooler, entry))
            continue;
        list.Add(entry);
    }

    if (list.Count() > 0)
        list.SortByMac();
    return list.Count();
}

}
