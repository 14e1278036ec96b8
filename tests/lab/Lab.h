#pragma once

#include <string>
#include <vector>

namespace plintor::test {

// A network lab made by scripts/lab for one test: namespaces, a bridge and stand-in
// printers. Torn down by Down() or the destructor; a lab left by a killed test is swept by
// the next one (the lab records its owner process).
class Lab {
public:
    struct Options {
        int printers = 3;
        std::vector<std::string> printerLines; // line K: lab words and printer options of printer K
        bool twoNetworks = false;
        bool alternate = false;
        bool noDefaultRoute = false;
        std::string waitTcp;
    };

    // Empty when labs can be built here, otherwise why not.
    static std::string SkipReason();

    Lab() = default;
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;
    ~Lab();

    bool Up(const Options& options);
    void Down();
    const std::string& Name() const { return name; }
    std::string Namespace(const std::string& suffix) const { return name + "-" + suffix; }

    // Moves the calling thread into the workstation namespace (threads it starts follow);
    // Leave() brings it back.
    bool Enter();
    void Leave();

    // IPv4 address text of printer K on network 1 or 2.
    static std::string PrinterIpv4(int k, int network = 1);
    // The link-local address text of printer K without a scope.
    static std::string PrinterIpv6(int k);
    // The default MAC of printer K, 12 upper-case hexadecimal digits.
    static std::string PrinterMac(int k);

private:
    std::string name;
    std::string folder;
    int homeNamespace = -1;
};

// Runs a program (no shell) and waits for it; its exit code, or -1.
int RunProgram(const std::vector<std::string>& argv);

}
