#include "CupsServer.h"
#include "Lab.h"

#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/SpoolerUpkeep.h"
#include "platform/RunProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace plintor;
using plintor::test::CupsServer;
using plintor::test::Lab;

namespace {

const char* kMarker = "PLINTOR-QUEUED-JOB-7";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// DNS-SD in the lab: in the workstation a system bus of its own and an mDNS responder that
// the program asks through it; in printer 1's namespace a responder that announces the
// services it is given. Each responder sees a /run and a service folder of its own. All
// are stopped by their process ids.
class Announcements {
public:
    static std::string SkipReason()
    {
        if (access(kResponder, X_OK) != 0)
            return "needs avahi-daemon (Debian package avahi-daemon)";
        if (access(kBus, X_OK) != 0)
            return "needs dbus-daemon (Debian package dbus-daemon)";
        return {};
    }
    Announcements() = default;
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;
    ~Announcements()
    {
        for (auto pid = pids.rbegin(); pid != pids.rend(); ++pid) {
            kill(*pid, SIGTERM);
            waitpid(*pid, nullptr, 0);
        }
    }

    // Starts the responders from the calling thread's namespace (the workstation's) and
    // waits until printer 1 announces `services` (the texts of service files) and `hosts`
    // (lines "ADDRESS NAME"). The program finds the bus through DBUS_SYSTEM_BUS_ADDRESS.
    bool Start(const Lab& lab, const std::string& folder, const std::vector<std::string>& services,
               const std::string& hosts)
    {
        for (const char* side : {"ws", "p1"})
            std::filesystem::create_directories(folder + "/" + side + "/services");
        std::ofstream(folder + "/ws/hosts");
        std::ofstream(folder + "/p1/hosts") << hosts;
        for (std::size_t i = 0; i < services.size(); ++i)
            std::ofstream(folder + "/p1/services/" + std::to_string(i) + ".service") << services[i];
        std::ofstream(folder + "/ws/responder.conf")
            << "[server]\nhost-name=workstation\nuse-ipv4=yes\nuse-ipv6=yes\n[publish]\ndisable-publishing=yes\n";
        // Both address families, as printers announce them: asked for any address, the
        // workstation's responder hands out the IPv6 link-local one.
        std::ofstream(folder + "/p1/responder.conf")
            << "[server]\nhost-name=mfp\nuse-ipv4=yes\nuse-ipv6=yes\nenable-dbus=no\n[publish]\n"
            << "publish-hinfo=no\npublish-workstation=no\n";
        const std::string bus = folder + "/bus";
        std::ofstream(folder + "/bus.conf")
            << "<busconfig>\n<type>system</type>\n<listen>unix:path=" << bus << "</listen>\n"
            << "<auth>EXTERNAL</auth>\n<policy context=\"default\">\n<allow user=\"*\"/>\n<allow own=\"*\"/>\n"
            << "<allow send_destination=\"*\" eavesdrop=\"true\"/>\n<allow eavesdrop=\"true\"/>\n</policy>\n"
            << "</busconfig>\n";
        busAddress = "unix:path=" + bus;
        setenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress.c_str(), 1);
        if (!Launch({kBus, "--config-file=" + folder + "/bus.conf", "--nofork", "--nopidfile"}, "", folder, "bus.log",
                    [&] { return Accepting(bus); }))
            return false;
        if (!Launch(ResponderArgs(folder + "/ws"), "", folder + "/ws", "log",
                    [&] { return Logged(folder + "/ws/log", "Server startup complete"); }))
            return false;
        return Launch(ResponderArgs(folder + "/p1"), "/run/netns/" + lab.Namespace("p1"), folder + "/p1", "log",
                      [&] {
                          // Every service group and every host name.
                          return Count(ReadFile(folder + "/p1/log"), "successfully established")
                              == static_cast<int>(services.size()) + Count(hosts, "\n");
                      });
    }

private:
    static constexpr const char* kResponder = "/usr/sbin/avahi-daemon";
    static constexpr const char* kBus = "/usr/bin/dbus-daemon";

    static std::vector<std::string> ResponderArgs(const std::string& side)
    {
        return {kResponder, "-f", side + "/responder.conf", "--no-drop-root", "--no-chroot", "--no-rlimits"};
    }
    static bool Accepting(const std::string& socketPath)
    {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
        bool ok = fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            close(fd);
        return ok;
    }
    static bool Logged(const std::string& log, const std::string& what)
    {
        return ReadFile(log).find(what) != std::string::npos;
    }

    // Starts a program in the network namespace `netns` (empty: the caller's) and waits,
    // bounded, until `ready`. A responder gets its own /run and the side's service
    // folder and hosts file in place of the machine's.
    bool Launch(const std::vector<std::string>& args, const std::string& netns, const std::string& side,
                const std::string& log, const std::function<bool()>& ready)
    {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const bool responder = args.front() == kResponder;
        const std::string logPath = side + "/" + log, services = side + "/services", hosts = side + "/hosts";
        pid_t pid = fork();
        if (pid == 0) {
            int out = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0)
                _exit(126);
            int ns = netns.empty() ? -1 : open(netns.c_str(), O_RDONLY);
            if (!netns.empty() && (ns < 0 || setns(ns, CLONE_NEWNET) != 0))
                _exit(125);
            if (responder
                && (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                    || mount("tmpfs", "/run", "tmpfs", 0, "mode=0755") != 0 || mkdir("/run/avahi-daemon", 0755) != 0
                    || mount(services.c_str(), "/etc/avahi/services", nullptr, MS_BIND, nullptr) != 0
                    || mount(hosts.c_str(), "/etc/avahi/hosts", nullptr, MS_BIND, nullptr) != 0))
                _exit(124);
            execv(argv[0], argv.data());
            _exit(127);
        }
        if (pid < 0)
            return false;
        pids.push_back(pid);
        for (int i = 0; i < 400; ++i) {
            if (ready())
                return true;
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                pids.pop_back();
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << args.front() << " did not come up: " << ReadFile(logPath);
        return false;
    }

    std::vector<pid_t> pids;
    std::string busAddress;
};

// A lab of one printer (and a second one no queue prints to), a CUPS server in the
// workstation with a queue to each, plus a queue of the first printer that was paused
// before the program started (not the program's to resume).
class SpoolerLab : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string reason = Lab::SkipReason();
        if (reason.empty())
            reason = CupsServer::SkipReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
        char pattern[] = "/tmp/plintor-spooler-XXXXXX";
        folder = mkdtemp(pattern);
        std::filesystem::permissions(folder, std::filesystem::perms::all);
        printerLog = folder + "/printer.log";
        Lab::Options options;
        options.printers = 2;
        options.waitTcp = "9100";
        // The stand-in's default model is one of the sample configuration's, which
        // `plintor --discover` reads.
        options.printerLines = {"--log " + printerLog, ""};
        ASSERT_TRUE(lab.Up(options));
        ASSERT_TRUE(lab.Enter());
        ASSERT_TRUE(cups.Start());
        setenv("CUPS_SERVER", cups.Address().c_str(), 1);
        ASSERT_TRUE(cups.AddQueue("office", "socket://" + Lab::PrinterIpv4(1) + ":9100"));
        ASSERT_TRUE(cups.AddQueue("elsewhere", "socket://198.18.1.250:9100"));
        ASSERT_TRUE(cups.AddQueue("pausedbefore", "socket://" + Lab::PrinterIpv4(1)));
        ASSERT_EQ(cups.Tool("cupsdisable", {"pausedbefore"}), 0);
        ASSERT_TRUE(cups.Paused("pausedbefore"));
        config.sysObjectIds = {"1.3.6.1.4.1.99999.1.1"};
        statePath = folder + "/held-queues";
    }
    void TearDown() override
    {
        unsetenv("CUPS_SERVER");
        unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
        cups.Stop();
        lab.Leave();
        lab.Down();
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    // Whether the queued job reached the printer exactly `times` times: watched for the
    // whole bound when that is 0 (a job that is not held prints within it), else until it
    // arrived that often, and then a little longer for a copy too many.
    bool Printed(int times, std::chrono::seconds bound)
    {
        auto until = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < until) {
            int printed = Count(ReadFile(printerLog), kMarker);
            if (printed > times || (times > 0 && printed == times))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (times > 0)
            std::this_thread::sleep_for(std::chrono::seconds(1));
        return Count(ReadFile(printerLog), kMarker) == times;
    }

    void QueueJob()
    {
        std::string job = folder + "/job.txt";
        std::ofstream(job) << kMarker << "\n";
        ASSERT_EQ(cups.Tool("lp", {"-d", "office", job}), 0);
    }

    // How a run of the program sees the machine's folders.
    enum class Folders {
        // Its state file and lock in the test's folder (the test overrides).
        Moved,
        // In a mount namespace of its own: /var/lib is the test's `varlib` folder and /tmp
        // its `tmp` folder, so that the run keeps its state where it would on a real
        // machine and the test can empty the temporary folder as a reboot does.
        AsOnAMachine,
    };

    // Bind-mounts `folder` at `where`, making `where` first.
    static bool ShowBelow(const std::string& folder, const std::string& where)
    {
        std::error_code ignored;
        std::filesystem::create_directories(where, ignored);
        return mount(folder.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) == 0;
    }

    // Starts the program in the workstation with `arguments`; its stdout and stderr go to
    // files named after `tag`.
    pid_t Spawn(const std::vector<std::string>& arguments, const std::string& tag, Folders folders)
    {
        std::string program = std::string(PLINTOR_BIN_DIR) + "/plintor";
        std::vector<char*> argv{program.data()};
        std::vector<std::string> copies = arguments;
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string out = OutputPath(tag);
        std::string err = ErrorPath(tag);
        std::string varLib = folder + "/varlib";
        std::string tmp = folder + "/tmp";
        // The test's own host names, when it wrote any.
        std::string hosts = std::filesystem::exists(folder + "/hosts") ? folder + "/hosts" : "";
        // A build that lies below /tmp (a checkout there) would vanish under the test's
        // /tmp: it is mounted at its own path inside the test's folder first.
        const std::string binDir = PLINTOR_BIN_DIR;
        const bool binBelowTmp = binDir.rfind("/tmp/", 0) == 0;
        pid_t pid = fork();
        if (pid == 0) {
            if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
                _exit(126);
            if (folders == Folders::Moved) {
                setenv("PLINTOR_SPOOLER_STATE", statePath.c_str(), 1);
                setenv("PLINTOR_LOCK_DIR", folder.c_str(), 1);
            } else {
                unsetenv("PLINTOR_SPOOLER_STATE");
                unsetenv("XDG_STATE_HOME");
                setenv("PLINTOR_LOCK_DIR", "/tmp", 1);
                // /tmp last: the test's folders lie below it.
                if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                    || mount(varLib.c_str(), "/var/lib", nullptr, MS_BIND, nullptr) != 0
                    || (!hosts.empty() && mount(hosts.c_str(), "/etc/hosts", nullptr, MS_BIND, nullptr) != 0)
                    || (binBelowTmp && !ShowBelow(binDir, tmp + binDir.substr(4)))
                    || mount(tmp.c_str(), "/tmp", nullptr, MS_BIND | MS_REC, nullptr) != 0)
                    _exit(125);
            }
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        return pid;
    }

    // Waits (bounded) for a run; its exit status, or minus the signal that ended it.
    static int Wait(pid_t pid, std::chrono::seconds bound = std::chrono::seconds(120))
    {
        auto until = std::chrono::steady_clock::now() + bound;
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    // Runs the program with `arguments` and sends it `signal` once the queue of the
    // printer is held; `whileHeld` runs just before the signal. Returns the exit status,
    // or minus the signal that ended it.
    int RunAndSignal(const std::vector<std::string>& arguments, int signal,
                     const std::function<void()>& whileHeld = {}, Folders folders = Folders::Moved)
    {
        pid_t pid = Spawn(arguments, "run", folders);
        // Generous: on a loaded machine start-up and the first pass can take a while.
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!cups.Paused("office") && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const bool held = cups.Paused("office");
        EXPECT_TRUE(held) << "the run held no queue within 60 s: " << ReadFile(outputPath());
        if (whileHeld && held)
            whileHeld();
        kill(pid, signal);
        return Wait(pid);
    }
    // `plintor --discover`, signalled while the IPv6 pass still runs.
    int RunDiscoverAndSignal(int signal, Folders folders = Folders::Moved)
    {
        return RunAndSignal({"--discover"}, signal, {}, folders);
    }
    std::string OutputPath(const std::string& tag) const { return folder + "/" + tag + ".out"; }
    std::string ErrorPath(const std::string& tag) const { return folder + "/" + tag + ".err"; }
    std::string outputPath() const { return OutputPath("run"); }

    Lab lab;
    CupsServer cups;
    UtilityConfig config;
    std::string folder;
    std::string printerLog;
    std::string statePath;
};

}

TEST_F(SpoolerLab, DiscoveryHoldsTheQueuesOfThePrinterAndExitReleasesThemWithTheJobPrintedOnce)
{
    CSpoolerUpkeep spooler(statePath);
    PrinterList printers;
    std::vector<std::string> printersToRestore;
    DiscoveryContext context;
    context.config = &config;
    context.printers = &printers;
    context.printersToRestore = &printersToRestore;
    context.spooler = &spooler;
    ASSERT_EQ(DiscoverNetwork(context), 2) << ReadFile(cups.Folder() + "/error_log");
    // Only the queue this run held is remembered; the IPv6 pass found the same printer
    // again and held nothing twice.
    EXPECT_EQ(printersToRestore, std::vector<std::string>{"office"});
    EXPECT_TRUE(cups.Paused("office"));
    EXPECT_FALSE(cups.Paused("elsewhere"));
    EXPECT_NE(ReadFile(statePath).find("office"), std::string::npos);

    // A job queued meanwhile waits and is not printed.
    QueueJob();
    EXPECT_TRUE(Printed(0, std::chrono::seconds(3)));

    spooler.RestoreBidi(printersToRestore);
    EXPECT_TRUE(printersToRestore.empty());
    EXPECT_FALSE(cups.Paused("office"));
    EXPECT_TRUE(cups.Paused("pausedbefore"));
    EXPECT_FALSE(std::filesystem::exists(statePath));
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");
    // A second discovery after the release holds nothing.
    EXPECT_EQ(spooler.DisableBidi(Lab::PrinterIpv4(1), CSpoolerUpkeep::kNetworkForm, printersToRestore), 0);
}

TEST_F(SpoolerLab, SigtermReleasesTheHeldQueues)
{
    EXPECT_EQ(RunDiscoverAndSignal(SIGTERM), 128 + SIGTERM);
    EXPECT_FALSE(cups.Paused("office"));
    EXPECT_TRUE(cups.Paused("pausedbefore"));
    EXPECT_FALSE(std::filesystem::exists(statePath));
}

// The wizard under the script front end, held open on the selection page after the search:
// SIGTERM releases what the run held and removes its route, and the job queued meanwhile
// prints once.
TEST_F(SpoolerLab, SigtermDuringTheWizardReleasesTheHeldQueuesAndRemovesTheRoute)
{
    std::string script = folder + "/hold.script";
    std::ofstream(script) << "expect page 14\nclick 2\nwait page 4 60\nwait page 99 60\n";
    auto routeListed = [] {
        return platform::RunProcess({"/bin/sh", "-c", "ip route show 169.254.0.0/16 | grep -q 'dev ws0'"},
                                    std::chrono::seconds(10))
                   .exitCode
            == 0;
    };
    bool routeWhileHeld = false;
    int code = RunAndSignal({"--script", script, "/mode:network", "/ip"}, SIGTERM, [&] {
        EXPECT_TRUE(cups.Paused("office")) << ReadFile(outputPath());
        QueueJob();
        EXPECT_TRUE(Printed(0, std::chrono::seconds(2)));
        routeWhileHeld = routeListed();
    });
    EXPECT_EQ(code, 128 + SIGTERM) << ReadFile(outputPath());
    EXPECT_NE(ReadFile(outputPath()).find("page 14 CConnectComDlg\n"), std::string::npos) << ReadFile(outputPath());
    EXPECT_FALSE(cups.Paused("office"));
    EXPECT_TRUE(cups.Paused("pausedbefore"));
    EXPECT_FALSE(std::filesystem::exists(statePath));
    EXPECT_TRUE(routeWhileHeld);
    EXPECT_FALSE(routeListed());
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");
}

// A run killed outright, then a reboot: the temporary folders are emptied and CUPS starts
// again, still holding the queue and the job queued meanwhile. A start while CUPS is down
// says so and keeps the entry; the next start releases the queue and the job prints once.
TEST_F(SpoolerLab, AfterAKilledRunAndARebootTheNextStartReleasesTheQueueAndTheJobPrintsOnce)
{
    const std::string tmp = folder + "/tmp";
    const std::string state = folder + "/varlib/plintor/held-queues";
    std::filesystem::create_directories(folder + "/varlib");
    std::filesystem::create_directories(tmp);

    EXPECT_EQ(RunDiscoverAndSignal(SIGKILL, Folders::AsOnAMachine), -SIGKILL);
    ASSERT_TRUE(cups.Paused("office"));
    EXPECT_NE(ReadFile(state).find("\toffice\n"), std::string::npos) << ReadFile(state);
    QueueJob();

    // The reboot.
    std::filesystem::remove_all(tmp);
    std::filesystem::create_directories(tmp);
    cups.Halt();
    EXPECT_EQ(Wait(Spawn({"--release-queues"}, "down", Folders::AsOnAMachine)), 1);
    EXPECT_NE(ReadFile(ErrorPath("down")).find("could not release office (no answer from the CUPS server at "
                                                + cups.Address() + "); it stays listed in /var/lib/plintor/held-queues"),
              std::string::npos)
        << ReadFile(ErrorPath("down"));
    EXPECT_NE(ReadFile(state).find("\toffice\n"), std::string::npos) << ReadFile(state);

    ASSERT_TRUE(cups.Resume());
    // CUPS kept the hold across its restart: without a release the job would wait for good.
    EXPECT_TRUE(cups.Paused("office"));
    EXPECT_TRUE(Printed(0, std::chrono::seconds(3)));

    // The next start of the wizard (its script ends at once).
    // The run sees the test's `tmp` folder as /tmp.
    std::ofstream(tmp + "/start.script") << "expect page 14\n";
    Wait(Spawn({"--script", "/tmp/start.script", "/mode:network", "/ip"}, "start", Folders::AsOnAMachine));
    EXPECT_EQ(ReadFile(ErrorPath("start")), "plintor: print queues held by an earlier run: released office\n")
        << ReadFile(OutputPath("start"));
    EXPECT_FALSE(cups.Paused("office"));
    EXPECT_TRUE(cups.Paused("pausedbefore"));
    EXPECT_FALSE(std::filesystem::exists(state));
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");

    // Nothing is left for an administrator to release.
    EXPECT_EQ(Wait(Spawn({"--release-queues"}, "after", Folders::AsOnAMachine)), 0);
    EXPECT_EQ(ReadFile(ErrorPath("after")), "plintor: no print queue is left paused by an earlier run\n");
}

// The queues desktops make today name the printer by host name (also the ipp:// queues of
// driverless printing) or by its IPv6 address; each is paused while the program runs and
// resumed at its end. Only queues with the printer's numeric address used to be matched.
TEST_F(SpoolerLab, QueuesThatNameThePrinterByHostNameOrIpv6AddressAreHeldAndReleased)
{
    std::filesystem::create_directories(folder + "/varlib");
    std::filesystem::create_directories(folder + "/tmp");
    // A host name with two addresses, the printer's not the first.
    std::ofstream(folder + "/hosts") << "127.0.0.1 localhost\n198.18.7.7 mfp.lab.example\n"
                                     << Lab::PrinterIpv4(1) << " mfp.lab.example\n";
    const std::vector<std::pair<std::string, std::string>> queues = {
        {"byname", "socket://mfp.lab.example:9100"},
        {"driverless", "ipp://mfp.lab.example:631/ipp/print"},
        {"secure", "ipps://mfp.lab.example/ipp/print"},
        {"lineprinter", "lpd://mfp.lab.example/queue"},
        {"byipv6", "ipp://[" + Lab::PrinterIpv6(1) + "%25ws0]:631/ipp/print"},
    };
    for (const auto& [name, uri] : queues)
        ASSERT_TRUE(cups.AddQueue(name, uri)) << uri;
    ASSERT_TRUE(cups.AddQueue("othername", "ipp://localhost:631/ipp/print"));

    // The run ends by itself; CUPS's log tells which queues it paused and resumed.
    EXPECT_EQ(Wait(Spawn({"--discover"}, "run", Folders::AsOnAMachine)), 0) << ReadFile(ErrorPath("run"));
    const std::string log = ReadFile(cups.Folder() + "/error_log");
    std::vector<std::string> notPaused;
    for (const auto& [name, uri] : queues) {
        std::size_t stopped = log.find("Printer \"" + name + "\" stopped by");
        if (stopped == std::string::npos || log.find("Printer \"" + name + "\" started by", stopped) == std::string::npos)
            notPaused.push_back(name);
    }
    EXPECT_EQ(notPaused, std::vector<std::string>{}) << ReadFile(outputPath()) << log;
    EXPECT_EQ(log.find("Printer \"othername\" stopped"), std::string::npos);
    EXPECT_EQ(log.find("Printer \"elsewhere\" stopped"), std::string::npos);
    for (const auto& [name, uri] : queues)
        EXPECT_FALSE(cups.Paused(name)) << name;
    EXPECT_FALSE(cups.Paused("othername"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/varlib/plintor/held-queues"));
}

// Desktops make dnssd:// queues for the printers their users pick from a list: the queue
// names a DNS-SD service, which the responder resolves to the printer's address. The wizard
// holds those of the printer it talks to and releases them; a service of another address
// and one that nobody announces are left alone, the latter said once on stderr.
TEST_F(SpoolerLab, DnssdQueuesOfThePrinterAreHeldWhileTheWizardRunsAndReleased)
{
    if (std::string reason = Announcements::SkipReason(); !reason.empty())
        GTEST_SKIP() << reason;
    Announcements announcements;
    // The printer's raw and IPP services (a dot in their name, as desktops allow), and one on
    // a host name whose address no printer has.
    const std::vector<std::string> services = {
        "<service-group><name>Lab MFP 2.OG</name>"
        "<service><type>_pdl-datastream._tcp</type><port>9100</port></service>"
        "<service><type>_ipp._tcp</type><port>631</port><txt-record>rp=ipp/print</txt-record></service>"
        "</service-group>\n",
        "<service-group><name>Far MFP</name>"
        "<service><type>_ipp._tcp</type><host-name>far.local</host-name><port>631</port></service>"
        "</service-group>\n",
    };
    ASSERT_TRUE(announcements.Start(lab, folder + "/mdns", services, "198.18.1.250 far.local\n"));
    const std::vector<std::pair<std::string, std::string>> held = {
        {"dnssd-raw", "dnssd://Lab%20MFP%202.OG._pdl-datastream._tcp.local/"},
        {"dnssd-ipp", "dnssd://Lab%20MFP%202.OG._ipp._tcp.local/?uuid=6f3a2b1c-0000-4000-8000-0000000000a1"},
    };
    for (const auto& [name, uri] : held)
        ASSERT_TRUE(cups.AddQueue(name, uri)) << uri;
    ASSERT_TRUE(cups.AddQueue("dnssd-far", "dnssd://Far%20MFP._ipp._tcp.local/"));
    ASSERT_TRUE(cups.AddQueue("dnssd-gone", "dnssd://Gone%20MFP._ipp._tcp.local/"));

    std::string script = folder + "/hold.script";
    std::ofstream(script) << "expect page 14\nclick 2\nwait page 4 60\nwait page 99 60\n";
    int code = RunAndSignal({"--script", script, "/mode:network", "/ip"}, SIGTERM, [&] {
        for (const auto& [name, uri] : held)
            EXPECT_TRUE(cups.Paused(name)) << name << "\n" << ReadFile(ErrorPath("run"));
    });
    EXPECT_EQ(code, 128 + SIGTERM) << ReadFile(outputPath());
    const std::string log = ReadFile(cups.Folder() + "/error_log");
    for (const auto& [name, uri] : held) {
        EXPECT_FALSE(cups.Paused(name)) << name;
        EXPECT_NE(log.find("Printer \"" + name + "\" started by"), std::string::npos) << name << log;
    }
    EXPECT_EQ(log.find("Printer \"dnssd-far\" stopped"), std::string::npos);
    EXPECT_EQ(log.find("Printer \"dnssd-gone\" stopped"), std::string::npos);
    // Both passes and both printers asked about the queues; the lost service is named once.
    EXPECT_EQ(Count(ReadFile(ErrorPath("run")),
                    "plintor: print queue dnssd-gone left alone: Gone MFP._ipp._tcp.local could not be resolved\n"),
              1)
        << ReadFile(ErrorPath("run"));
}

TEST_F(SpoolerLab, WithoutACupsServerNothingChangesAndDiscoveryGoesOn)
{
    cups.Stop();
    CSpoolerUpkeep spooler(statePath);
    PrinterList printers;
    std::vector<std::string> printersToRestore;
    DiscoveryContext context;
    context.config = &config;
    context.printers = &printers;
    context.printersToRestore = &printersToRestore;
    context.spooler = &spooler;
    EXPECT_EQ(DiscoverNetwork(context), 2);
    EXPECT_TRUE(printersToRestore.empty());
}
