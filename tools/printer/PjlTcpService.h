#pragma once

// PJL over TCP: listening sockets on the --bind address (or every address, IPv4 and IPv6)
// and the --pjl-port port, and one CPjlPeer per accepted connection.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace plintor::printer {

class CPjlPeer;
class CStandInPrinter;

class CPjlTcpService {
public:
    explicit CPjlTcpService(CStandInPrinter& printer);
    ~CPjlTcpService();

    // Listens on `bind` (empty: every address) and `port` (0: the system picks one).
    bool Listen(const std::string& bind, int port, std::string& error);
    // Closes the listeners and every connection; Listen again reopens them.
    void Stop();
    int Port() const { return port; }

private:
    void Accept(int listener);

    CStandInPrinter& printer;
    std::vector<int> listeners;
    std::map<std::uint64_t, std::unique_ptr<CPjlPeer>> peers;
    std::uint64_t nextPeer = 1;
    int port = 0;
};

}
