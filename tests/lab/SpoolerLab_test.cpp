#include "CupsServer.h"
#include "Lab.h"

#include "config/UtilityConfig.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterList.h"
#include "discovery/SpoolerUpkeep.h"
#include "platform/RunProcess.h"

#include <gtest/gtest.h>

#include <signal.h>
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

// A lab of one printer (and a second one no queue prints to), a CUPS server in the
// workstation with a queue to each, plus a queue of the first printer that was already
// holding new jobs before the program started.
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
        ASSERT_TRUE(cups.AddQueue("alreadyheld", "socket://" + Lab::PrinterIpv4(1)));
        ASSERT_EQ(cups.Tool("cupsdisable", {"--hold", "alreadyheld"}), 0);
        ASSERT_TRUE(cups.HoldsNewJobs("alreadyheld"));
        config.sysObjectIds = {"1.3.6.1.4.1.99999.1.1"};
        statePath = folder + "/held-queues";
    }
    void TearDown() override
    {
        unsetenv("CUPS_SERVER");
        cups.Stop();
        lab.Leave();
        lab.Down();
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    bool Printed(int times, std::chrono::seconds bound)
    {
        auto until = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < until) {
            if (Count(ReadFile(printerLog), kMarker) >= times)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return Count(ReadFile(printerLog), kMarker) == times;
    }

    void QueueJob()
    {
        std::string job = folder + "/job.txt";
        std::ofstream(job) << kMarker << "\n";
        ASSERT_EQ(cups.Tool("lp", {"-d", "office", job}), 0);
    }

    // Runs the program in the workstation with `arguments` (its output in `outputPath`)
    // and sends it `signal` once the queue of the printer is held; `whileHeld` runs just
    // before the signal. Returns the exit status, or minus the signal that ended it.
    int RunAndSignal(const std::vector<std::string>& arguments, int signal,
                     const std::function<void()>& whileHeld = {})
    {
        std::string program = std::string(PLINTOR_BIN_DIR) + "/plintor";
        std::vector<char*> argv{program.data()};
        std::vector<std::string> copies = arguments;
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            setenv("PLINTOR_SPOOLER_STATE", statePath.c_str(), 1);
            setenv("PLINTOR_LOCK_DIR", folder.c_str(), 1);
            if (!std::freopen(outputPath().c_str(), "w", stdout))
                _exit(126);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        // Generous: on a loaded machine start-up and the first pass can take a while.
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!cups.HoldsNewJobs("office") && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const bool held = cups.HoldsNewJobs("office");
        EXPECT_TRUE(held) << "the run held no queue within 60 s: " << ReadFile(outputPath());
        if (whileHeld && held)
            whileHeld();
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    // `plintor --discover`, signalled while the IPv6 pass still runs.
    int RunDiscoverAndSignal(int signal) { return RunAndSignal({"--discover"}, signal); }
    std::string outputPath() const { return folder + "/output.txt"; }

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
    EXPECT_TRUE(cups.HoldsNewJobs("office"));
    EXPECT_FALSE(cups.HoldsNewJobs("elsewhere"));
    EXPECT_NE(ReadFile(statePath).find("office"), std::string::npos);

    // A job queued meanwhile waits and is not printed.
    QueueJob();
    EXPECT_TRUE(Printed(0, std::chrono::seconds(3)));

    spooler.RestoreBidi(printersToRestore);
    EXPECT_TRUE(printersToRestore.empty());
    EXPECT_FALSE(cups.HoldsNewJobs("office"));
    EXPECT_TRUE(cups.HoldsNewJobs("alreadyheld"));
    EXPECT_FALSE(std::filesystem::exists(statePath));
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");
    // A second discovery after the release holds nothing.
    EXPECT_EQ(spooler.DisableBidi(Lab::PrinterIpv4(1), CSpoolerUpkeep::kNetworkForm, printersToRestore), 0);
}

TEST_F(SpoolerLab, SigtermReleasesTheHeldQueues)
{
    EXPECT_EQ(RunDiscoverAndSignal(SIGTERM), 128 + SIGTERM);
    EXPECT_FALSE(cups.HoldsNewJobs("office"));
    EXPECT_TRUE(cups.HoldsNewJobs("alreadyheld"));
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
        EXPECT_TRUE(cups.HoldsNewJobs("office")) << ReadFile(outputPath());
        QueueJob();
        EXPECT_TRUE(Printed(0, std::chrono::seconds(2)));
        routeWhileHeld = routeListed();
    });
    EXPECT_EQ(code, 128 + SIGTERM) << ReadFile(outputPath());
    EXPECT_NE(ReadFile(outputPath()).find("page 14 CConnectComDlg\n"), std::string::npos) << ReadFile(outputPath());
    EXPECT_FALSE(cups.HoldsNewJobs("office"));
    EXPECT_TRUE(cups.HoldsNewJobs("alreadyheld"));
    EXPECT_FALSE(std::filesystem::exists(statePath));
    EXPECT_TRUE(routeWhileHeld);
    EXPECT_FALSE(routeListed());
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");
}

TEST_F(SpoolerLab, TheNextStartReleasesWhatAKilledRunLeftHeld)
{
    EXPECT_EQ(RunDiscoverAndSignal(SIGKILL), -SIGKILL);
    EXPECT_TRUE(cups.HoldsNewJobs("office"));
    ASSERT_TRUE(std::filesystem::exists(statePath));
    QueueJob();
    CSpoolerUpkeep next(statePath);
    EXPECT_EQ(next.ReleaseLeftovers(), 1);
    EXPECT_FALSE(cups.HoldsNewJobs("office"));
    EXPECT_TRUE(cups.HoldsNewJobs("alreadyheld"));
    EXPECT_TRUE(Printed(1, std::chrono::seconds(60))) << ReadFile(cups.Folder() + "/error_log");
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
