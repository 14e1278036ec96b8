#include "discovery/SpoolerUpkeep.h"

#include "channel/ChannelBounds.h"
#include "config/TextCompare.h"
#include "platform/DurableFile.h"
#include "platform/PrintQueues.h"
#include "platform/ServiceName.h"
#include "platform/ServiceResolve.h"
#include "platform/Socket.h"
#include "platform/StateFolder.h"
#include "platform/TestOverrides.h"


#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>

namespace plintor {

namespace {

using platform::CPrintServerConnection;
using platform::PrintServer;
using platform::QueueAnswer;
using platform::service_name::PercentDecoded;

// What the desktop's print queue window shows beside a queue this program paused.
constexpr const char* kPausedMessage = "Paused by plintor while it configures the printer";

std::string ServerText(const PrintServer& server)
{
    if (!server.host.empty() && server.host.front() == '/')
        return server.host;
    return server.host + ":" + std::to_string(server.port);
}

struct UriParts {
    std::string scheme, host, resource;
};

bool SplitUri(const std::string& uri, UriParts& parts)
{
    platform::DeviceUriParts raw;
    if (!platform::SplitDeviceUri(uri, raw))
        return false;
    parts.scheme = ToLowerAscii(raw.scheme);
    parts.host = raw.host;
    if (parts.host.size() > 2 && parts.host.front() == '[' && parts.host.back() == ']')
        parts.host = parts.host.substr(1, parts.host.size() - 2);
    parts.host = PercentDecoded(parts.host);
    // CUPS writes a scoped IPv6 address also as "[v1.fe80::1+eth0]".
    if (parts.host.rfind("v1.", 0) == 0) {
        parts.host.erase(0, 3);
        if (std::size_t plus = parts.host.find('+'); plus != std::string::npos)
            parts.host[plus] = '%';
    }
    parts.resource = raw.resource;
    return true;
}

// The value of one key of an IEEE 1284 device id ("MFG:maker;MDL:model;SN:123;").
std::string IdField(const std::string& id, std::initializer_list<const char*> keys)
{
    std::stringstream fields(id);
    std::string field;
    while (std::getline(fields, field, ';')) {
        std::size_t colon = field.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = field.substr(0, colon);
        while (!key.empty() && key.front() == ' ')
            key.erase(0, 1);
        for (const char* k : keys)
            if (EqualsNoCase(key, k))
                return field.substr(colon + 1);
    }
    return {};
}

bool UsbQueueMatches(const std::string& uri, const std::string& deviceId)
{
    UriParts parts;
    if (!SplitUri(uri, parts) || parts.scheme != "usb")
        return false;
    std::string make = IdField(deviceId, {"MFG", "MANUFACTURER"});
    std::string model = IdField(deviceId, {"MDL", "MODEL"});
    std::string serial = IdField(deviceId, {"SN", "SERN", "SERIALNUMBER"});
    if (make.empty() || model.empty())
        return false;
    std::string resource = parts.resource;
    std::string query;
    if (std::size_t q = resource.find('?'); q != std::string::npos) {
        query = resource.substr(q + 1);
        resource.erase(q);
    }
    if (!resource.empty() && resource.front() == '/')
        resource.erase(0, 1);
    std::string uriSerial;
    std::stringstream pairs(query);
    std::string pair;
    while (std::getline(pairs, pair, '&'))
        if (pair.rfind("serial=", 0) == 0)
            uriSerial = PercentDecoded(pair.substr(7));
    if (!EqualsNoCase(parts.host, make) || !EqualsNoCase(PercentDecoded(resource), model))
        return false;
    return uriSerial.empty() || EqualsNoCase(uriSerial, serial);
}

// The addresses of the hosts and DNS-SD services named in device URIs, each looked up
// once per object however many queues and calls name it: a name that does not resolve
// costs its bound once, and is said once.
class HostAddresses {
public:
    explicit HostAddresses(std::map<std::string, std::vector<std::string>>& known) : known(known) {}

    bool Has(const UriParts& parts, const std::string& uri, const std::string& queue,
             const std::string& numericTarget)
    {
        auto found = known.find(parts.host);
        if (found == known.end()) {
            std::vector<std::string> numeric;
            if (parts.scheme != "dnssd")
                LookUpNumericAddresses(parts.host, numeric);
            else if (auto service = platform::ResolveServiceUri(uri, ChannelBounds{}.resolve))
                LookUpNumericAddresses(service->host, numeric);
            if (numeric.empty())
                std::fprintf(stderr, "plintor: print queue %s left alone: %s could not be resolved\n", queue.c_str(),
                             parts.host.c_str());
            found = known.emplace(parts.host, std::move(numeric)).first;
        }
        return std::any_of(found->second.begin(), found->second.end(),
                           [&](const std::string& n) { return EqualsNoCase(n, numericTarget); });
    }

private:
    std::map<std::string, std::vector<std::string>>& known;
};

bool NetworkQueueMatches(const std::string& uri, const std::string& queue, const std::string& numericTarget,
                         HostAddresses& hosts)
{
    UriParts parts;
    if (!SplitUri(uri, parts) || parts.host.empty())
        return false;
    // The schemes through which CUPS reaches a network printer at a host: the raw port,
    // IPP (also the queues of driverless printing), IPP over TLS, LPD, IPP over HTTP, and a
    // DNS-SD service of any of them.
    static const char* const schemes[] = {"socket", "ipp", "ipps", "lpd", "http", "https", "dnssd"};
    bool known = std::any_of(std::begin(schemes), std::end(schemes),
                             [&](const char* s) { return parts.scheme == s; });
    return known && hosts.Has(parts, uri, queue, numericTarget);
}

bool Contains(const std::vector<HeldQueue>& list, const HeldQueue& entry)
{
    return std::find(list.begin(), list.end(), entry) != list.end();
}

std::string Join(const std::vector<std::string>& items, const char* separator)
{
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty())
            text += separator;
        text += item;
    }
    return text;
}

}

bool LookUpNumericAddresses(const std::string& text, std::vector<std::string>& numeric)
{
    numeric.clear();
    if (text.empty() || text.size() > 256)
        return false;
    // A queue's host name is looked up within the same bound as a printer's: a broken
    // resolver must not hold the search.
    for (const platform::ResolvedAddress& r : platform::ResolveStream(text, {}, ChannelBounds{}.resolve)) {
        std::string host = platform::NumericHost(r);
        if (!host.empty() && std::find(numeric.begin(), numeric.end(), host) == numeric.end())
            numeric.push_back(std::move(host));
    }
    return !numeric.empty();
}

bool ToNumericAddress(const std::string& text, std::string& numeric)
{
    std::vector<std::string> all;
    if (!LookUpNumericAddresses(text, all))
        return false;
    numeric = all.front();
    return true;
}

CSpoolerUpkeep::CSpoolerUpkeep(std::string path)
    : statePath(path.empty() ? DefaultStatePath() : std::move(path))
{
}

CSpoolerUpkeep& CSpoolerUpkeep::ForThisRun()
{
    static CSpoolerUpkeep run;
    return run;
}

std::string CSpoolerUpkeep::DefaultStatePath()
{
    // Tests give each run its own state file.
    if (std::optional<std::string> moved = platform::SpoolerStateOverride())
        return *moved;
    bool varLib = platform::MachineStateFolderWritable();
    return StatePathFor(varLib, std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string CSpoolerUpkeep::StatePathFor(bool varLibWritable, const char* xdgStateHome, const char* home)
{
    const std::string file = "/plintor/held-queues";
    if (!varLibWritable) {
        // The XDG base directory rules ignore a relative XDG_STATE_HOME.
        if (xdgStateHome && xdgStateHome[0] == '/')
            return xdgStateHome + file;
        if (home && home[0] == '/')
            return std::string(home) + "/.local/state" + file;
    }
    return std::string(kSystemStateFolder) + "/held-queues";
}

std::vector<HeldQueue> CSpoolerUpkeep::ParseState(std::string_view text)
{
    std::vector<HeldQueue> queues;
    std::stringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::stringstream fields(line);
        HeldQueue entry;
        std::string port;
        if (!std::getline(fields, entry.host, '\t') || !std::getline(fields, port, '\t')
            || !std::getline(fields, entry.queue) || entry.queue.empty())
            continue;
        char* end = nullptr;
        long number = std::strtol(port.c_str(), &end, 10);
        if (port.empty() || *end != '\0' || number < 0 || number > 65535)
            continue;
        entry.port = static_cast<int>(number);
        if (!Contains(queues, entry))
            queues.push_back(std::move(entry));
    }
    return queues;
}

std::string CSpoolerUpkeep::FormatState(const std::vector<HeldQueue>& queues)
{
    std::string text;
    for (const HeldQueue& q : queues)
        text += q.host + '\t' + std::to_string(q.port) + '\t' + q.queue + '\n';
    return text;
}

std::vector<HeldQueue> CSpoolerUpkeep::ReadState() const
{
    std::string text;
    if (!platform::ReadWholeFile(statePath, text))
        return {};
    return ParseState(text);
}

bool CSpoolerUpkeep::WriteState(const std::vector<HeldQueue>& queues) const
{
    return platform::ReplaceFileDurably(statePath, FormatState(queues));
}

ReleaseReport CSpoolerUpkeep::Release(const std::vector<HeldQueue>& queues)
{
    ReleaseReport report;
    report.statePath = statePath;
    std::vector<HeldQueue> confirmed;
    std::vector<PrintServer> servers;
    for (const HeldQueue& q : queues) {
        bool seen = std::any_of(servers.begin(), servers.end(),
                                [&](const PrintServer& s) { return s.host == q.host && s.port == q.port; });
        if (!seen)
            servers.push_back({q.host, q.port});
    }
    for (const PrintServer& server : servers) {
        CPrintServerConnection connection(server, kServerBound);
        for (const HeldQueue& q : queues) {
            if (q.host != server.host || q.port != server.port)
                continue;
            if (!connection.Connected()) {
                report.failed.push_back({q.queue, "no answer from the CUPS server at " + ServerText(server)});
                continue;
            }
            // A queue that was deleted meanwhile holds nothing any more.
            if (QueueAnswer answer = connection.Resume(q.queue); answer != QueueAnswer::Refused) {
                report.released.push_back(q.queue);
                confirmed.push_back(q);
            } else {
                report.failed.push_back({q.queue, "CUPS refused: " + connection.LastError()});
            }
        }
    }
    if (!confirmed.empty()) {
        std::vector<HeldQueue> state = ReadState();
        std::erase_if(state, [&](const HeldQueue& q) { return Contains(confirmed, q); });
        WriteState(state);
    }
    return report;
}

ReleaseReport CSpoolerUpkeep::CloseAndRelease(const std::vector<std::string>& queues)
{
    closed = true;
    PrintServer current = platform::CurrentPrintServer();
    std::vector<HeldQueue> release;
    for (const std::string& name : queues) {
        auto held = std::find_if(heldThisRun.begin(), heldThisRun.end(),
                                 [&](const HeldQueue& q) { return q.queue == name; });
        HeldQueue entry = held != heldThisRun.end() ? *held : HeldQueue{current.host, current.port, name};
        if (!Contains(release, entry))
            release.push_back(entry);
    }
    heldThisRun.clear();
    if (release.empty()) {
        ReleaseReport none;
        none.statePath = statePath;
        return none;
    }
    return Release(release);
}

int CSpoolerUpkeep::DisableBidi(const std::string& target, int form,
                                std::vector<std::string>& printersToRestore, const std::string& deviceId)
{
    std::lock_guard<std::mutex> guard(lock);
    if (closed)
        return 0;
    std::string numericTarget;
    if (form == kNetworkForm && !ToNumericAddress(target, numericTarget))
        return 0;
    if (form == kUsbForm && deviceId.empty())
        return 0;
    PrintServer server = platform::CurrentPrintServer();
    CPrintServerConnection connection(server, kServerBound);
    if (!connection.Connected())
        return -1;
    HostAddresses hosts{addressesOf};
    int held = 0;
    for (const platform::PrintQueue& dest : connection.Queues()) {
        const std::string& uri = dest.deviceUri;
        if (uri.empty())
            continue;
        bool match = form == kNetworkForm ? NetworkQueueMatches(uri, dest.name, numericTarget, hosts)
                                          : UsbQueueMatches(uri, deviceId);
        if (!match)
            continue;
        if (std::find(printersToRestore.begin(), printersToRestore.end(), dest.name) != printersToRestore.end())
            continue;
        HeldQueue entry{server.host, server.port, dest.name};
        std::vector<HeldQueue> state = ReadState();
        const bool listed = Contains(state, entry);
        if (dest.stopped) {
            // Paused by somebody else: not ours to resume. Paused by an earlier run whose
            // release failed at start-up: this run releases it at exit.
            if (listed && !Contains(heldThisRun, entry)) {
                printersToRestore.push_back(dest.name);
                heldThisRun.push_back(entry);
                ++held;
            }
            continue;
        }
        // The entry first: a hold is never made that the state file does not list.
        if (!listed) {
            state.push_back(entry);
            if (!WriteState(state))
                continue;
        }
        if (connection.Pause(dest.name, kPausedMessage) == QueueAnswer::Accepted) {
            printersToRestore.push_back(dest.name);
            heldThisRun.push_back(entry);
            ++held;
        } else if (!listed) {
            state = ReadState();
            std::erase(state, entry);
            WriteState(state);
        }
    }
    return held;
}

ReleaseReport CSpoolerUpkeep::RestoreBidi(std::vector<std::string>& printersToRestore)
{
    std::lock_guard<std::mutex> guard(lock);
    ReleaseReport report = CloseAndRelease(printersToRestore);
    printersToRestore.clear();
    return report;
}

ReleaseReport CSpoolerUpkeep::ReleaseHeld()
{
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::string> names;
    for (const HeldQueue& q : heldThisRun)
        names.push_back(q.queue);
    return CloseAndRelease(names);
}

ReleaseReport CSpoolerUpkeep::ReleaseLeftovers()
{
    std::lock_guard<std::mutex> guard(lock);
    std::vector<HeldQueue> leftovers = ReadState();
    std::erase_if(leftovers, [&](const HeldQueue& q) { return Contains(heldThisRun, q); });
    if (leftovers.empty()) {
        ReleaseReport none;
        none.statePath = statePath;
        return none;
    }
    return Release(leftovers);
}

std::string DescribeRelease(const ReleaseReport& report, std::string_view whose, bool sayReleased)
{
    std::vector<std::string> parts;
    if (sayReleased && !report.released.empty())
        parts.push_back("released " + Join(report.released, ", "));
    if (!report.failed.empty()) {
        std::vector<std::string> failed;
        for (const ReleaseReport::Failure& f : report.failed)
            failed.push_back(f.queue + " (" + f.reason + ")");
        parts.push_back("could not release " + Join(failed, ", ") + "; "
                        + (report.failed.size() == 1 ? "it stays" : "they stay") + " listed in "
                        + report.statePath + " for the next start or plintor --release-queues");
    }
    if (parts.empty())
        return {};
    return "plintor: print queues held by " + std::string(whose) + ": " + Join(parts, "; ");
}

}
