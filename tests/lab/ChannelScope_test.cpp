// The network channel reaches a printer by its link-local IPv6 address with a "%scope", and
// tries the results of a name lookup in order. Loopback has no link-local address of its
// own, so the test makes a network (and mount) namespace, gives its loopback one and its
// own hosts file, and runs a stand-in printer and the channel inside it.

#include "channel/CNetConnect.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include "platform/Socket.h"

#include <fstream>

#include <sched.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plintor {
namespace {

constexpr int Skipped = 77;

bool Run(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// In the child: 0 when every check held, the number of the first failed check otherwise.
int ScopedAddressChecks()
{
    if (unshare(CLONE_NEWNET) != 0)
        return Skipped;
    if (!Run({"ip", "link", "set", "lo", "up"})
        || !Run({"ip", "-6", "addr", "add", "fe80::1/64", "dev", "lo", "nodad"}))
        return Skipped;
    // A host name with an IPv6 and an IPv4 address, from a hosts file of this namespace's own.
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return Skipped;
    test::CTempFolder folder;
    std::string hosts = folder.Path() + "/hosts";
    std::ofstream(hosts) << "::1 printer-both\n127.0.0.1 printer-both\n127.0.0.1 localhost\n";
    if (mount(hosts.c_str(), "/etc/hosts", nullptr, MS_BIND, nullptr) != 0)
        return Skipped;
    int result = 0;
    {
        test::CPrinterProcess printer(test::CPrinterProcess::Setup{});
        if (!printer.Ready())
            return 10;
        auto results = platform::ResolveStream("printer-both", "9100", std::chrono::seconds(5));
        if (results.size() != 2 || results[0].family != AF_INET6)
            return 11;
        // The IPv6 result refuses (the printer listens on 127.0.0.1 only); the next is tried.
        CNetConnect channel;
        channel.port = std::to_string(printer.Port());
        if (!channel.Query("printer-both", "@PJL INFO ID\r\n"))
            return 12;
        if (printer.WaitForLog(1).size() != std::string("\x1b%-12345X@PJL INFO ID\r\n\x1b%-12345X").size())
            return 13;
    }
    {
        test::CPrinterProcess::Setup setup;
        setup.bind = "fe80::1%lo";
        test::CPrinterProcess printer(setup);
        if (!printer.Ready())
            return 1;
        CNetConnect channel;
        channel.port = std::to_string(printer.Port());
        if (!channel.Query("fe80::1%lo", "@PJL INFO ID\r\n"))
            result = 2;
        else if (!channel.Query("[fe80::1%lo]", "@PJL INFO ID\r\n"))
            result = 3;
        else if (channel.Query("fe80::1%no-such-interface", "@PJL INFO ID\r\n"))
            result = 4;
    }
    return result;
}

TEST(ChannelLab, LinkLocalScopeAndANameWithSeveralAddresses)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(ScopedAddressChecks());
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == Skipped)
        GTEST_SKIP() << "needs root and ip(8) to make a network namespace";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "check " << WEXITSTATUS(status) << " failed";
}

}
}
