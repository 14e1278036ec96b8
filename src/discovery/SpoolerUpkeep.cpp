#include "discovery/SpoolerUpkeep.h"

#include "config/TextCompare.h"
#include "platform/TestOverrides.h"

#include <cups/cups.h>
#include <netdb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

namespace plintor {

namespace {

struct Server {
    std::string host;
    int port = 0;
};

Server CurrentServer()
{
    return {cupsServer() ? cupsServer() : "", ippPort()};
}

http_t* Connect(const Server& server)
{
    http_t* http = httpConnect2(server.host.c_str(), server.port, nullptr, AF_UNSPEC, cupsEncryption(),
                                1, static_cast<int>(CSpoolerUpkeep::kServerBound.count()), nullptr);
    if (http)
        httpSetTimeout(http, CSpoolerUpkeep::kServerBound.count() / 1000.0, nullptr, nullptr);
    return http;
}

// Hold-New-Jobs or Release-Held-New-Jobs on one queue; true when the server accepted it.
bool QueueRequest(http_t* http, const Server& server, ipp_op_t operation, const std::string& queue)
{
    ipp_t* request = ippNewRequest(operation);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                     server.port, "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t* response = cupsDoRequest(http, request, "/admin/");
    bool ok = response && cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
    ippDelete(response);
    return ok;
}

std::string Decode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct UriParts {
    std::string scheme, host, resource;
};

bool SplitUri(const char* uri, UriParts& parts)
{
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_NONE, uri, scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return false;
    parts.scheme = ToLowerAscii(scheme);
    parts.host = host;
    if (parts.host.size() > 2 && parts.host.front() == '[' && parts.host.back() == ']')
        parts.host = parts.host.substr(1, parts.host.size() - 2);
    parts.host = Decode(parts.host);
    parts.resource = resource;
    return true;
}

bool NetworkQueueMatches(const char* uri, const std::string& numericTarget)
{
    UriParts parts;
    if (!SplitUri(uri, parts))
        return false;
    static const char* const schemes[] = {"socket", "ipp", "ipps", "lpd", "http", "https"};
    bool known = false;
    for (const char* s : schemes)
        known = known || parts.scheme == s;
    std::string numeric;
    return known && ToNumericAddress(parts.host, numeric) && EqualsNoCase(numeric, numericTarget);
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

bool UsbQueueMatches(const char* uri, const std::string& deviceId)
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
            uriSerial = Decode(pair.substr(7));
    if (!EqualsNoCase(parts.host, make) || !EqualsNoCase(Decode(resource), model))
        return false;
    return uriSerial.empty() || EqualsNoCase(uriSerial, serial);
}

bool AlreadyHeld(const cups_dest_t& dest)
{
    const char* reasons = cupsGetOption("printer-state-reasons", dest.num_options, dest.options);
    return reasons && std::strstr(reasons, "hold-new-jobs") != nullptr;
}

}

bool ToNumericAddress(const std::string& text, std::string& numeric)
{
    if (text.empty() || text.size() > 256)
        return false;
    addrinfo hints{};
    addrinfo* results = nullptr;
    if (getaddrinfo(text.c_str(), nullptr, &hints, &results) != 0 || !results)
        return false;
    char host[1025];
    bool ok = getnameinfo(results->ai_addr, results->ai_addrlen, host, sizeof host, nullptr, 0,
                          NI_NUMERICHOST) == 0;
    freeaddrinfo(results);
    if (ok)
        numeric = host;
    return ok;
}

CSpoolerUpkeep::CSpoolerUpkeep(std::string path)
    : statePath(path.empty() ? DefaultStatePath() : std::move(path))
{
}

CSpoolerUpkeep& CSpoolerUpkeep::ForThisRun()
{
    static CSpoolerUpkeep* run = [] {
        auto* upkeep = new CSpoolerUpkeep();
        upkeep->ReleaseLeftovers();
        return upkeep;
    }();
    return *run;
}

std::string CSpoolerUpkeep::DefaultStatePath()
{
    // Tests give each run its own state file.
    if (std::optional<std::string> moved = platform::SpoolerStateOverride())
        return *moved;
    if (geteuid() == 0) {
        mkdir("/run/plintor", 0700);
        if (access("/run/plintor", W_OK) == 0)
            return "/run/plintor/held-queues";
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/plintor-held-queues";
    return "/tmp/plintor-held-queues-" + std::to_string(geteuid());
}

void CSpoolerUpkeep::WriteState()
{
    if (heldThisRun.empty()) {
        std::remove(statePath.c_str());
        return;
    }
    Server server = CurrentServer();
    std::string temporary = statePath + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const std::string& q : heldThisRun)
            out << server.host << '\t' << server.port << '\t' << q << '\n';
    }
    std::rename(temporary.c_str(), statePath.c_str());
}

void CSpoolerUpkeep::CloseAndRelease(const std::vector<std::string>& queues)
{
    closed = true;
    if (!queues.empty()) {
        Server server = CurrentServer();
        if (http_t* http = Connect(server)) {
            for (const std::string& queue : queues)
                QueueRequest(http, server, IPP_OP_RELEASE_HELD_NEW_JOBS, queue);
            httpClose(http);
        }
    }
    heldThisRun.clear();
    std::remove(statePath.c_str());
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
    Server server = CurrentServer();
    http_t* http = Connect(server);
    if (!http)
        return -1;
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(http, &dests);
    int held = 0;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance)
            continue;
        const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options);
        if (!uri)
            continue;
        bool match = form == kNetworkForm ? NetworkQueueMatches(uri, numericTarget)
                                          : UsbQueueMatches(uri, deviceId);
        if (!match || AlreadyHeld(dest))
            continue;
        bool remembered = false;
        for (const std::string& q : printersToRestore)
            remembered = remembered || q == dest.name;
        if (remembered)
            continue;
        if (QueueRequest(http, server, IPP_OP_HOLD_NEW_JOBS, dest.name)) {
            printersToRestore.push_back(dest.name);
            heldThisRun.push_back(dest.name);
            WriteState();
            ++held;
        }
    }
    cupsFreeDests(count, dests);
    httpClose(http);
    return held;
}

void CSpoolerUpkeep::RestoreBidi(std::vector<std::string>& printersToRestore)
{
    std::lock_guard<std::mutex> guard(lock);
    CloseAndRelease(printersToRestore);
    printersToRestore.clear();
}

void CSpoolerUpkeep::ReleaseHeld()
{
    std::lock_guard<std::mutex> guard(lock);
    CloseAndRelease(heldThisRun);
}

int CSpoolerUpkeep::ReleaseLeftovers()
{
    std::lock_guard<std::mutex> guard(lock);
    std::ifstream in(statePath);
    if (!in)
        return 0;
    int released = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        Server server;
        std::string port, queue;
        if (!std::getline(fields, server.host, '\t') || !std::getline(fields, port, '\t')
            || !std::getline(fields, queue))
            continue;
        server.port = std::atoi(port.c_str());
        if (http_t* http = Connect(server)) {
            if (QueueRequest(http, server, IPP_OP_RELEASE_HELD_NEW_JOBS, queue))
                ++released;
            httpClose(http);
        }
    }
    in.close();
    std::remove(statePath.c_str());
    return released;
}

}
