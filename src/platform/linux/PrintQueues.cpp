#include "platform/PrintQueues.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <cstdlib>

namespace plintor::platform {

struct CPrintServerConnection::Session {
    http_t* http = nullptr;
};

PrintServer CurrentPrintServer()
{
    return {cupsServer() ? cupsServer() : "", ippPort()};
}

bool SplitDeviceUri(const std::string& uri, DeviceUriParts& parts)
{
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_NONE, uri.c_str(), scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return false;
    parts.scheme = scheme;
    parts.host = host;
    parts.resource = resource;
    return true;
}

CPrintServerConnection::CPrintServerConnection(const PrintServer& printServer, std::chrono::milliseconds bound)
    : server(printServer)
    , session(std::make_unique<Session>())
{
    session->http = httpConnect2(server.host.c_str(), server.port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 static_cast<int>(bound.count()), nullptr);
    if (session->http)
        httpSetTimeout(session->http, static_cast<double>(bound.count()) / 1000.0, nullptr, nullptr);
}

CPrintServerConnection::~CPrintServerConnection()
{
    if (session->http)
        httpClose(session->http);
}

bool CPrintServerConnection::Connected() const
{
    return session->http != nullptr;
}

std::vector<PrintQueue> CPrintServerConnection::Queues()
{
    std::vector<PrintQueue> queues;
    if (!session->http)
        return queues;
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(session->http, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance)
            continue;
        PrintQueue queue;
        queue.name = dest.name;
        if (const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options))
            queue.deviceUri = uri;
        const char* state = cupsGetOption("printer-state", dest.num_options, dest.options);
        queue.stopped = state && std::atoi(state) == IPP_PSTATE_STOPPED;
        queues.push_back(std::move(queue));
    }
    cupsFreeDests(count, dests);
    return queues;
}

QueueAnswer CPrintServerConnection::Pause(const std::string& queue, const std::string& stateMessage)
{
    return Request(true, queue, stateMessage);
}

QueueAnswer CPrintServerConnection::Resume(const std::string& queue)
{
    return Request(false, queue, {});
}

// Pause-Printer or Resume-Printer on one queue.
QueueAnswer CPrintServerConnection::Request(bool pause, const std::string& queue, const std::string& stateMessage)
{
    if (!session->http)
        return QueueAnswer::Refused;
    ipp_t* request = ippNewRequest(pause ? IPP_OP_PAUSE_PRINTER : IPP_OP_RESUME_PRINTER);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", server.port,
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    if (pause && !stateMessage.empty())
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-state-message", nullptr, stateMessage.c_str());
    ipp_t* response = cupsDoRequest(session->http, request, "/admin/");
    ipp_status_t status = cupsLastError();
    if (!response && status <= IPP_STATUS_OK_CONFLICTING)
        status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    ippDelete(response);
    if (status <= IPP_STATUS_OK_CONFLICTING)
        return QueueAnswer::Accepted;
    lastError = cupsLastErrorString();
    return status == IPP_STATUS_ERROR_NOT_FOUND ? QueueAnswer::NotFound : QueueAnswer::Refused;
}

}
