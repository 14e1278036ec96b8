#include "Lab.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace plintor::test {

namespace {

std::string LabScript()
{
    return std::string(PLINTOR_SOURCE_DIR) + "/scripts/lab";
}

std::string PrinterBinary()
{
    return std::string(PLINTOR_BIN_DIR) + "/plintor-printer";
}

}

int RunProgram(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        int null = open("/dev/null", O_RDONLY);
        if (null >= 0)
            dup2(null, 0);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Lab::SkipReason()
{
    if (geteuid() != 0)
        return "network lab tests need root (network namespaces)";
    if (access("/usr/sbin/ip", X_OK) != 0 && access("/sbin/ip", X_OK) != 0)
        return "network lab tests need the ip tool (iproute2)";
    if (RunProgram({"/bin/sh", "-c", "ip netns list >/dev/null 2>&1"}) != 0)
        return "network lab tests need 'ip netns'";
    if (access(PrinterBinary().c_str(), X_OK) != 0)
        return "network lab tests need the stand-in printer " + PrinterBinary();
    return {};
}

Lab::~Lab()
{
    Leave();
    Down();
}

bool Lab::Up(const Options& options)
{
    char pattern[] = "/tmp/plintor-labtest-XXXXXX";
    if (!mkdtemp(pattern))
        return false;
    folder = pattern;
    name = "plab-" + std::to_string(getpid()) + "-" + std::to_string(std::rand() % 100000);
    std::string linesPath = folder + "/printer-lines";
    {
        std::ofstream lines(linesPath);
        for (const std::string& line : options.printerLines)
            lines << line << "\n";
    }
    std::vector<std::string> argv = {LabScript(), "up", "--name", name, "--printers",
        std::to_string(options.printers), "--printer-lines", linesPath, "--owner", std::to_string(getpid()),
        "--printer-bin", PrinterBinary()};
    if (options.twoNetworks)
        argv.push_back("--two-networks");
    if (options.alternate)
        argv.push_back("--alternate");
    if (options.noDefaultRoute)
        argv.push_back("--no-default-route");
    if (!options.waitTcp.empty()) {
        argv.push_back("--wait-tcp");
        argv.push_back(options.waitTcp);
    }
    if (RunProgram(argv) != 0) {
        name.clear();
        return false;
    }
    return true;
}

void Lab::Down()
{
    if (!name.empty())
        RunProgram({LabScript(), "down", "--name", name});
    name.clear();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        folder.clear();
    }
}

bool Lab::Enter()
{
    if (homeNamespace < 0)
        homeNamespace = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    std::string path = "/run/netns/" + Namespace("ws");
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = setns(fd, CLONE_NEWNET) == 0;
    close(fd);
    return ok;
}

void Lab::Leave()
{
    if (homeNamespace >= 0) {
        setns(homeNamespace, CLONE_NEWNET);
        close(homeNamespace);
        homeNamespace = -1;
    }
}

std::string Lab::PrinterIpv4(int k, int network)
{
    return "198.18." + std::to_string(network) + "." + std::to_string(k + 9);
}

std::string Lab::PrinterIpv6(int k)
{
    char text[32];
    std::snprintf(text, sizeof text, "fe80::%x:1", k);
    return text;
}

std::string Lab::PrinterMac(int k)
{
    char text[16];
    std::snprintf(text, sizeof text, "02AB0000%04X", k);
    return text;
}

}
