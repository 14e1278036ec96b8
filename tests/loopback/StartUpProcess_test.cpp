// Runs the built program as the user does: copied into a folder of its own, beside a
// configuration file or without one.

#include "app/Language.h"
#include "core/StringTable.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Bound on how long any one run of the program may take here.
constexpr auto kRunBound = std::chrono::seconds(20);

// What a run without a display and without a script ends with, after start-up succeeded.
const char* const kNoDisplay =
    "plintor: no display to show the wizard on (set DISPLAY, or run a script with --script FILE)\n";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool CopyFile(const std::string& from, const std::string& to, mode_t mode)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    out.close();
    return in.good() && out.good() && chmod(to.c_str(), mode) == 0;
}

class StartUpProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/plintor-run-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        lockFolder = folder + "/locks";
        ASSERT_EQ(mkdir(lockFolder.c_str(), 0700), 0);
        program = folder + "/plintor";
        ASSERT_TRUE(CopyFile(PLINTOR_BIN_DIR "/plintor", program, 0755));
    }
    void TearDown() override
    {
        for (pid_t pid : running) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::system(("rm -rf '" + folder + "'").c_str());
    }

    void AddSampleConfiguration() { ASSERT_TRUE(CopyFile(PLINTOR_BIN_DIR "/plintor.ini", folder + "/plintor.ini", 0644)); }

    // Starts the program with `args`; its stdout and stderr go to files named after `tag`.
    // A `launcher` (a program and its arguments) starts it instead, with the program's
    // path and `args` after its own.
    pid_t Start(const std::string& tag, std::vector<std::string> args, std::vector<std::string> extraEnv = {},
        std::vector<std::string> launcher = {})
    {
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) {
            std::string entry = *e;
            // No display either: a run must never open a window on the tester's desktop.
            if (entry.rfind("PLINTOR_", 0) != 0 && entry.rfind("LC_", 0) != 0 && entry.rfind("LANG", 0) != 0
                && entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0
                && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
                env.push_back(entry);
        }
        // The messages are compared in English, whatever the machine's locale, unless the
        // test gives a locale of its own.
        if (std::none_of(extraEnv.begin(), extraEnv.end(), [](const std::string& e) { return e.rfind("LC_ALL=", 0) == 0; }))
            env.push_back("LC_ALL=en_US.UTF-8");
        env.push_back("PLINTOR_LOCK_DIR=" + lockFolder);
        // Start-up reads the list of paused spooler queues: the test's own, never the machine's.
        env.push_back("PLINTOR_SPOOLER_STATE=" + folder + "/held-queues");
        // Never the configuration of a package installed on this machine.
        bool systemConfigGiven = false;
        for (std::string& e : extraEnv) {
            systemConfigGiven = systemConfigGiven || e.rfind("PLINTOR_SYSTEM_CONFIG=", 0) == 0;
            env.push_back(std::move(e));
        }
        if (!systemConfigGiven)
            env.push_back("PLINTOR_SYSTEM_CONFIG=" + folder + "/no-system.ini");
        args.insert(args.begin(), program);
        args.insert(args.begin(), launcher.begin(), launcher.end());
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, (folder + "/" + tag + ".out").c_str(),
            O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, (folder + "/" + tag + ".err").c_str(),
            O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        int result = posix_spawn(&pid, args.front().c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (result != 0)
            return -1;
        running.push_back(pid);
        return pid;
    }

    // Waits (bounded) for `pid` and returns its exit status, or -1 when it did not end
    // normally within the bound.
    int Wait(pid_t pid)
    {
        auto deadline = std::chrono::steady_clock::now() + kRunBound;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                std::erase(running, pid);
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    int Run(const std::string& tag, std::vector<std::string> args, std::vector<std::string> extraEnv = {},
        std::vector<std::string> launcher = {})
    {
        pid_t pid = Start(tag, std::move(args), std::move(extraEnv), std::move(launcher));
        return pid < 0 ? -1 : Wait(pid);
    }

    std::string Out(const std::string& tag) { return ReadFile(folder + "/" + tag + ".out"); }
    std::string Err(const std::string& tag) { return ReadFile(folder + "/" + tag + ".err"); }

    // True once `pid` holds a flock on a file inside the lock folder (read from /proc/locks,
    // which lists every lock with its holder, without taking the lock).
    bool HoldsLock(pid_t pid)
    {
        std::ifstream locks("/proc/locks");
        std::string line;
        std::string holder = " " + std::to_string(pid) + " ";
        while (std::getline(locks, line)) {
            if (line.find("FLOCK") != std::string::npos && line.find(holder) != std::string::npos)
                return true;
        }
        return false;
    }

    std::string folder;
    std::string lockFolder;
    std::string program;
    std::vector<pid_t> running;
};

TEST_F(StartUpProcess, HelpAndVersionPrintAndExitBeforeStartUp)
{
    // No configuration file: start-up would fail, so a zero status shows it never ran.
    EXPECT_EQ(Run("help", {"--help"}), 0);
    EXPECT_NE(Out("help").find("Usage: plintor"), std::string::npos);
    EXPECT_EQ(Err("help"), "");
    EXPECT_EQ(Run("version", {"/ip", "--version"}), 0);
    EXPECT_EQ(Out("version"), "plintor " PLINTOR_PROJECT_VERSION "\n");
}

TEST_F(StartUpProcess, NoConfigurationFileReportsIncorrectInformation)
{
    EXPECT_NE(Run("none", {}), 0);
    EXPECT_EQ(Err("none"), "Warning!\nCannot configure settings. Information incorrect.\n");
}

TEST_F(StartUpProcess, InstalledProgramReadsTheSystemConfigurationUnlessOneLiesBesideIt)
{
    const std::string system = "PLINTOR_SYSTEM_CONFIG=" + folder + "/system.ini";
    ASSERT_TRUE(CopyFile(PLINTOR_BIN_DIR "/plintor.ini", folder + "/system.ini", 0644));
    // Start-up goes past the configuration: as root only the missing display ends the run,
    // otherwise the administrator test (which comes after the lock name is read).
    Run("system", {}, {system});
    if (geteuid() == 0)
        EXPECT_EQ(Err("system"), kNoDisplay);
    else
        EXPECT_NE(Err("system").find("Administrator rights required."), std::string::npos);
    // A configuration beside the program wins, even a broken one.
    std::ofstream(folder + "/plintor.ini") << "[General Setting]\n";
    EXPECT_NE(Run("beside", {}, {system}), 0);
    EXPECT_EQ(Err("beside"), "Warning!\nCannot configure settings. Information incorrect.\n");
}

TEST_F(StartUpProcess, JunkConfigurationAndCommandLineEndCleanly)
{
    {
        std::ofstream ini(folder + "/plintor.ini", std::ios::binary);
        ini << "[General Setting]\nMUTEX_NAME=Junk\nSUPPORT_CONNECTIONTYPE=" << std::string(3u << 20, '\xFF') << '\0'
            << "\nSUPPORT_FEATURE=IP\n";
    }
    EXPECT_NE(Run("junkfile", {}), 0);
    EXPECT_NE(Err("junkfile").find("Information incorrect."), std::string::npos);

    AddSampleConfiguration();
    std::string junk(5000, '/');
    junk += "\xC3\x28:/mode:\"\"\"/langid:99999999999";
    int status = Run("junkline", {junk, "/run:", "/ip", "\x01\x02"});
    EXPECT_GE(status, 0);   // ended by itself, by no signal
    if (geteuid() == 0) {
        // Start-up took the line; only the missing display ends the run.
        EXPECT_EQ(status, 1) << Err("junkline");
        EXPECT_EQ(Err("junkline"), kNoDisplay);
    }
}

TEST_F(StartUpProcess, SecondStartIsRefusedWhileTheFirstRuns)
{
    AddSampleConfiguration();
    pid_t first = Start("first", {}, {"PLINTOR_TEST_HOLD_LOCK_MS=4000"});
    ASSERT_GT(first, 0);
    auto deadline = std::chrono::steady_clock::now() + kRunBound;
    while (!HoldsLock(first) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(HoldsLock(first));

    EXPECT_NE(Run("second", {}), 0);
    EXPECT_EQ(Err("second"), "Warning!\nThis tool is already running.\nFinish or cancel the tool and start again.\n");
    EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first run must be unaffected";

    int status = Wait(first);
    if (geteuid() == 0) {
        EXPECT_EQ(status, 1) << Err("first");
        EXPECT_EQ(Err("first"), kNoDisplay);
    } else {
        EXPECT_NE(Err("first").find("Administrator rights required."), std::string::npos);
    }

    // Once the first has ended, a new start takes the lock again.
    Run("third", {});
    EXPECT_EQ(Err("third").find("already running"), std::string::npos);
}

TEST_F(StartUpProcess, ContradictingOptionsAreRefused)
{
    AddSampleConfiguration();
    int status = Run("args", {"/IP", "/Wireless"});
    EXPECT_NE(status, 0);
    if (geteuid() == 0) {
        EXPECT_EQ(Err("args"), "Warning!\nCannot configure settings. Argument incorrect.\n");
    }
    // A script path that contains "/ip" is the front end's, never an option: the run
    // configures wireless only and opens on the method page.
    ASSERT_EQ(mkdir((folder + "/ip").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((folder + "/ip/wireless").c_str(), 0700), 0);
    std::ofstream(folder + "/ip/wireless/run.txt") << "answer yes\nclick 3\n";
    status = Run("script", {"--script", folder + "/ip/wireless/run.txt", "/wireless"});
    if (geteuid() == 0) {
        EXPECT_EQ(status, 0) << Err("script");
        EXPECT_EQ(ReadFile(folder + "/script.out"),
                  "page 1 CSelectMethodDlg\n"
                  "message \"Plintor\" \"Are you sure you want to cancel the tool?\" -> yes\n"
                  "end cancel\n");
    }
}

TEST_F(StartUpProcess, TheLocalesLanguageSpeaksInTheWizardItsMessagesAndStartUpMessages)
{
    // Portuguese (Portugal) has no templates of its own: the run falls through to the
    // system's language when that is usable and configured (the sample offers all), else
    // to English.
    plintor::LangId system = plintor::NormalizeLanguageId(plintor::QueryDefaultLanguages().system);
    const plintor::LangId portugal = system != 0 && plintor::IsUsableLanguage(system) ? system : plintor::LangId{1033};
    const struct {
        const char* locale;
        plintor::LangId language;
    } cases[] = {
        {"de_DE.UTF-8", 0x0407}, {"de_CH.UTF-8", 0x0407}, {"el_GR.UTF-8", 0x0408}, {"pt_PT.UTF-8", portugal},
    };
    using plintor::LoadText;
    using Quote = plintor::CHeadlessFrontEnd;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const std::string tag = std::string(c.locale).substr(0, 5);
        const std::vector<std::string> env = {std::string("LC_ALL=") + c.locale};
        ASSERT_NE(LoadText(c.language, plintor::MSG_ERR_INCORRECT_INFO), "");
        if (c.language != 1033) {
            EXPECT_NE(LoadText(c.language, plintor::MSG_CANCEL_DLG), LoadText(1033, plintor::MSG_CANCEL_DLG));
        }

        // Before the configuration is read: no file, and the message says so in the
        // user's language.
        EXPECT_NE(Run("nofile-" + tag, {}, env), 0);
        EXPECT_EQ(Err("nofile-" + tag), LoadText(c.language, plintor::IDS_WARNING_TITLE) + "\n"
                                            + LoadText(c.language, plintor::MSG_ERR_INCORRECT_INFO) + "\n");
    }
    if (geteuid() != 0)
        GTEST_SKIP() << "the wizard itself runs for administrators only";
    AddSampleConfiguration();
    std::ofstream(folder + "/cancel.txt") << "answer yes\ndump\nclick 3\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const std::string tag = std::string(c.locale).substr(0, 5);
        // The wizard's page, and the cancel question as a message box, in that language.
        EXPECT_EQ(Run("wizard-" + tag, {"--script", folder + "/cancel.txt", "/ip"}, {std::string("LC_ALL=") + c.locale}),
                  0) << Err("wizard-" + tag);
        const std::string transcript = Out("wizard-" + tag);
        EXPECT_EQ(transcript.rfind("page 1 CSelectMethodDlg\n", 0), 0u) << transcript;
        for (plintor::StringId id : {plintor::IDS_SELECTMETHOD_DLG_TITLE, plintor::IDS_NEXT_BUTTON,
                                     plintor::IDS_CANCEL_BUTTON, plintor::IDS_IP_CONFIG_FLOW_TITLE,
                                     plintor::IDS_SELECTMETHOD_DLG_RADIO_YES}) {
            ASSERT_NE(LoadText(c.language, id), "") << id;
            EXPECT_NE(transcript.find(Quote::Quote(LoadText(c.language, id))), std::string::npos)
                << plintor::StringIdName(id) << "\n" << transcript;
        }
        EXPECT_NE(transcript.find("message " + Quote::Quote(LoadText(c.language, plintor::IDS_WND_TITLE)) + " "
                                  + Quote::Quote(LoadText(c.language, plintor::MSG_CANCEL_DLG)) + " -> yes\n"),
                  std::string::npos)
            << transcript;
        EXPECT_NE(transcript.find("end cancel\n"), std::string::npos) << transcript;
    }
}

}

// A member of the printer administrators' group alone used to pass the administrator test;
// the IPv6 search then could not bind UDP port 161 and the route could not be added, in
// silence. Such a user now needs CAP_NET_BIND_SERVICE and CAP_NET_ADMIN as well.
TEST_F(StartUpProcess, AnotherUserNeedsBothNetworkCapabilitiesBesidesCupsAdministration)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "starting the program as another user needs root";
    if (access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "needs setpriv (Debian package util-linux)";
    struct group* admins = getgrnam("lpadmin");
    if (!admins)
        GTEST_SKIP() << "needs the group lpadmin (Debian package cups-daemon)";
    AddSampleConfiguration();
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod(lockFolder.c_str(), 01777), 0);
    const std::string notAdmin = "Warning!\nOperation failed. Administrator rights required.\n";
    auto asNobody = [&](const std::string& capabilities) {
        std::vector<std::string> launcher = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
            "--groups=" + std::to_string(admins->gr_gid)};
        if (!capabilities.empty()) {
            launcher.push_back("--inh-caps=" + capabilities);
            launcher.push_back("--ambient-caps=" + capabilities);
        }
        launcher.push_back("--");
        return launcher;
    };

    EXPECT_EQ(Run("groupOnly", {}, {}, asNobody("")), 1);
    EXPECT_EQ(Err("groupOnly"), notAdmin);
    EXPECT_EQ(Run("bindOnly", {}, {}, asNobody("+net_bind_service")), 1);
    EXPECT_EQ(Err("bindOnly"), notAdmin);
    // Start-up passes; only the missing display ends the run.
    EXPECT_EQ(Run("both", {}, {}, asNobody("+net_bind_service,+net_admin")), 1);
    EXPECT_EQ(Err("both"), kNoDisplay);
}
