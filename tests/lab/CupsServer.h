#pragma once

#include <string>
#include <vector>

namespace plintor::test {

// A CUPS server of a test's own: cupsd in a fresh folder, listening on a free port of
// 127.0.0.1 of the namespace it is started in, with a policy that lets anybody administer
// it. Stopped by its process id.
class CupsServer {
public:
    CupsServer() = default;
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;
    ~CupsServer();

    // Empty when cupsd can be run here, otherwise why not.
    static std::string SkipReason();

    bool Start();
    // Stops cupsd and removes its folder.
    void Stop();
    // Stops cupsd and keeps its folder (queues, spooled jobs, state); Resume starts it
    // again on the same folder and port, as after a reboot.
    void Halt();
    bool Resume();
    // "127.0.0.1:PORT", for CUPS_SERVER and the -h option of the CUPS tools.
    const std::string& Address() const { return address; }
    const std::string& Folder() const { return folder; }

    // Runs a CUPS tool (lpadmin, lp, cupsdisable ...) against this server; its exit code.
    int Tool(const std::string& name, std::vector<std::string> arguments) const;
    // A raw queue printing to a device URI, accepting jobs.
    bool AddQueue(const std::string& name, const std::string& deviceUri) const;
    // Whether the queue is stopped (paused): its printer-state is "stopped".
    bool Paused(const std::string& queue) const;

private:
    bool Launch();

    std::string folder;
    std::string address;
    int port = 0;
    int pid = -1;
};

}
