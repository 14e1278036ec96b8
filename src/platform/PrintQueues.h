#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace plintor::platform {

// The print spooler's queues, as far as the spooler upkeep needs them: which queues there
// are and where they print, and pausing or resuming one. The Linux form talks to the CUPS
// server through libcups; every exchange with the server is bounded.

// A spooler server: a host name or address with its port, or a local socket path.
struct PrintServer {
    std::string host;
    int port = 0;
};

// The server this process's spooler calls go to (the CUPS_SERVER environment variable or
// the client configuration, else the local server).
PrintServer CurrentPrintServer();

struct PrintQueue {
    std::string name;
    std::string deviceUri;  // where the queue prints; empty when the server did not say
    bool stopped = false;   // paused, by anybody
};

// A device URI cut into its scheme, host and resource, each as written in the URI
// (percent-encoding and the brackets of an IPv6 host are left to the caller).
struct DeviceUriParts {
    std::string scheme, host, resource;
};
bool SplitDeviceUri(const std::string& uri, DeviceUriParts& parts);

// What the server answered to a pause or resume.
enum class QueueAnswer {
    Accepted,
    NotFound,  // no such queue (any more)
    Refused,   // any other failure; LastError() says what the server said
};

// One connection to a spooler server, closed with the object.
class CPrintServerConnection {
public:
    CPrintServerConnection(const PrintServer& server, std::chrono::milliseconds bound);
    ~CPrintServerConnection();
    CPrintServerConnection(const CPrintServerConnection&) = delete;
    CPrintServerConnection& operator=(const CPrintServerConnection&) = delete;

    bool Connected() const;
    // The queues (instances left out); empty when there are none or the list failed.
    std::vector<PrintQueue> Queues();
    // Pauses `queue` (jobs are still accepted, none is started), with `stateMessage` shown
    // beside it on the desktop; or resumes it.
    QueueAnswer Pause(const std::string& queue, const std::string& stateMessage);
    QueueAnswer Resume(const std::string& queue);
    // The server's words for the last refusal.
    const std::string& LastError() const { return lastError; }

private:
    struct Session;
    QueueAnswer Request(bool pause, const std::string& queue, const std::string& stateMessage);

    PrintServer server;
    std::unique_ptr<Session> session;
    std::string lastError;
};

}
