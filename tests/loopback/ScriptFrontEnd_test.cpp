// Runs the program itself with the script front end: start-up, the real wizard and its
// layouts, without a display.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

class ScriptFrontEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "start-up refuses users without administrator rights; run as root";
        char pattern[] = "/tmp/plintor-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        // A folder named "ip": the script's path must not reach start-up's option search.
        std::filesystem::create_directories(folder / "home" / "ipp" / "ip");
    }
    void TearDown() override
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    ProgramRun RunScript(const std::string& script)
    {
        std::filesystem::path path = folder / "home" / "ipp" / "ip" / "run.txt";
        std::ofstream(path) << script;
        std::string command = "env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 PLINTOR_LOCK_DIR='" + folder.string()
            + "' '" PLINTOR_BIN_DIR "/plintor' --script '" + path.string() + "' 2>/dev/null";
        ProgramRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.output.append(buffer, got);
        int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::filesystem::path folder;
};

}

TEST_F(ScriptFrontEndTest, CancelOnTheFirstPageAsksAndEnds)
{
    ProgramRun run = RunScript("# leave at once\nanswer yes\nclick 3\n");
    EXPECT_EQ(run.status, 0) << run.output;
    // The sample configuration offers several kinds, so the wizard opens on the welcome
    // page; the "ip" in the script's path selected nothing.
    EXPECT_EQ(run.output,
              "page 0 CWelcomDlg\n"
              "message \"Plintor\" \"Are you sure you want to cancel the tool?\" -> yes\n"
              "end cancel\n");
}

TEST_F(ScriptFrontEndTest, AFailingLineEndsWithStatusThree)
{
    ProgramRun run = RunScript("click 1\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.output.find("script error: 1: "), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("end "), std::string::npos);
}

TEST_F(ScriptFrontEndTest, AScriptThatRunsOutWhileTheWizardIsOpenFails)
{
    ProgramRun run = RunScript("answer no\n");
    EXPECT_EQ(run.status, 3) << run.output;
    EXPECT_EQ(run.output, "page 0 CWelcomDlg\nscript error: 1: the script ended while the wizard is open\n");
}
