#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace plintor {

// Misbehaviours the stand-in agent can be told to show.
enum class SnmpAgentFault {
    None,
    WrongRequestId, // answers carry another request id than the request
    TrailingBytes,  // two bytes follow the message in the datagram
    ShortMac,       // ifPhysAddress.1 has five octets
    NoMacAnswer,    // requests for ifPhysAddress.1 go unanswered
    Counter64,      // values are sent as Counter64
    Junk,           // a datagram of junk precedes every answer
    Silent,         // nothing is answered
};

struct SnmpAgentOptions {
    std::uint16_t port = 161; // 0: an ephemeral port, read back with Port()
    bool portGiven = false;   // a port on the command line must bind; the default may not
    std::string sysObjectId = "1.3.6.1.4.1.99999.1.1";
    std::uint8_t mac[6] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    SnmpAgentFault fault = SnmpAgentFault::None;
};

// Values of the stand-in printer's SNMP options; false for a value that is not usable.
bool ParseSnmpPort(const std::string& text, SnmpAgentOptions& options);
bool ParseSnmpMac(const std::string& text, SnmpAgentOptions& options);
bool ParseSnmpFault(const std::string& text, SnmpAgentOptions& options);
// The fault names, for the usage text.
const char* SnmpFaultNames();

// An SNMPv1 agent on UDP that answers GetRequests for sysObjectID.0 and ifPhysAddress.1
// (IPv4 on 0.0.0.0 and IPv6 on [::], one port). It runs on a thread of its own, so that it
// fits beside any main loop; every request it reads is reported to the log callback.
class CSnmpAgent {
public:
    using LogFunction = std::function<void(const std::string&)>;

    explicit CSnmpAgent(SnmpAgentOptions options, LogFunction log = {});
    ~CSnmpAgent();
    CSnmpAgent(const CSnmpAgent&) = delete;
    CSnmpAgent& operator=(const CSnmpAgent&) = delete;

    // Binds the sockets and starts answering; false (with a message) if no socket binds.
    bool Start(std::string& error);
    void Stop();
    std::uint16_t Port() const { return port; }

    // The answer to one request datagram, empty when there is none to send (for tests).
    std::string Answer(const std::uint8_t* bytes, std::size_t length);

private:
    void Serve();

    SnmpAgentOptions options;
    LogFunction log;
    int socket4 = -1;
    int socket6 = -1;
    std::uint16_t port = 0;
    std::atomic<bool> stopping{false};
    std::thread worker;
};

}
