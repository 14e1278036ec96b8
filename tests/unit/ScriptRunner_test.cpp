#include "ui/headless/CScriptRunner.h"

#include "pages/CWizardDlg.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

using namespace plintor;
using namespace std::chrono_literals;

namespace {

// Next moves on to page 6 later, by a message that a worker thread posts, as the cable
// pages' watcher does.
class SlowNextPage : public CTemplateDlg {
public:
    ~SlowNextPage() override
    {
        if (worker.joinable())
            worker.join();
    }

protected:
    void OnNext() override
    {
        if (worker.joinable())
            worker.join();
        worker = std::thread([this] {
            std::this_thread::sleep_for(50ms);
            PostMessage(WM_USER + 1, kPageIpSetting, 0);
        });
    }
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t) override
    {
        if (message == WM_USER + 1)
            wizard->GoToPage(static_cast<int>(wParam));
        return 0;
    }

private:
    std::thread worker;
};

struct Outcome {
    int status = -1;
    std::string transcript;
};

Outcome RunScript(const std::string& script, const std::function<int()>& program)
{
    std::vector<std::string> lines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::ostringstream out;
    CHeadlessFrontEnd frontEnd;
    Outcome outcome;
    {
        CScriptRunner runner(frontEnd, lines, out);
        outcome.status = runner.Run(program);
    }
    EXPECT_EQ(frontEnd.LivePeers(), 0) << "a dialog was left behind";
    outcome.transcript = out.str();
    return outcome;
}

int Wizard(int startPage)
{
    SlowNextPage slow;
    CWizardDlg wizard;
    wizard.ReplacePage(kPageSelectMethod, slow);
    wizard.currentPage = startPage;
    wizard.DoModal(*FindDialogTemplate(IDD_WIZARD, 1033));
    return 0;
}

}

TEST(ScriptRunner, CancelOnTheFirstPagePrintsPageQuestionAndEnd)
{
    Outcome run = RunScript("# cancel at once\n"
                            "answer yes\n"
                            "click 3\n",
                            [] { return Wizard(kPageSelectMethod); });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.transcript,
              "page 1 CSelectMethodDlg\n"
              "message \"Plintor\" \"Are you sure you want to cancel the tool?\" -> yes\n"
              "end cancel\n");
}

TEST(ScriptRunner, BoxWithoutAnAnswerTakesItsDefaultAndSaysSo)
{
    Outcome run = RunScript("key escape\nanswer yes\nclose\n", [] { return Wizard(kPageConnectCom); });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.transcript,
              "page 14 CConnectComDlg\n"
              "message \"Plintor\" \"Are you sure you want to cancel the tool?\" -> no (default)\n"
              "message \"Plintor\" \"Are you sure you want to cancel the tool?\" -> yes\n"
              "end cancel\n");
}

TEST(ScriptRunner, WaitPumpsMessagesFromOtherThreadsAndDumpShowsTheControls)
{
    Outcome run = RunScript("click 2\n"
                            "wait page 6 10\n"
                            "expect page 6\n"
                            "type 1029 \"2001:db8::\\t\\\"1\\\"\"\n"
                            "check 1027\n"
                            "type 1020 192..0.10\n"
                            "dump\n"
                            "answer yes\n"
                            "click 3\n",
                            [] { return Wizard(kPageSelectMethod); });
    EXPECT_EQ(run.status, 0) << run.transcript;
    EXPECT_NE(run.transcript.find("page 1 CSelectMethodDlg\npage 6 CIPSettingDlg\n"), std::string::npos);
    EXPECT_NE(run.transcript.find("\n2 defbutton enabled visible \"&Next >\"\n"), std::string::npos);
    EXPECT_NE(run.transcript.find("\n1029 edit enabled visible \"2001:db8::\\t\\\"1\\\"\"\n"), std::string::npos)
        << run.transcript;
    EXPECT_NE(run.transcript.find("\n1027 checkbox enabled visible \"&Use Manual Address\" checked\n"),
              std::string::npos);
    EXPECT_NE(run.transcript.find("\n1020 ip enabled visible \"192..0.10\"\n"), std::string::npos);
    EXPECT_NE(run.transcript.find("\n-1 group "), std::string::npos);
    EXPECT_NE(run.transcript.find("\n1090 combo enabled visible \"\" items [\"Dual Stack\" \"IPv4\" \"IPv6\"] "
                                  "selected -1\n"),
              std::string::npos)
        << run.transcript;
    EXPECT_NE(run.transcript.find("\nend cancel\n"), std::string::npos);
}

TEST(ScriptRunner, FailingLinesNameTheirLineAndEndTheRun)
{
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"# start\n\njump 3\n", "script error: 3: unknown command \"jump\"\n"},
        {"click 9999\n", "script error: 1: no control 9999\n"},
        {"click 1002\n", "script error: 1: control 1002 is not a button\n"},
        {"type 2 x\n", "script error: 1: control 2 takes no typing\n"},
        {"click x\n", "script error: 1: click: \"x\" is no control id\n"},
        {"expect page 4\n", "script error: 1: page 1 is shown, not page 4\n"},
        {"wait page 6 0.1\n", "script error: 1: page 6 was not shown within 0.1 s\n"},
        {"key space\n", "script error: 1: key: \"space\" is no key (escape, enter, f1)\n"},
        {"answer ok\nclick 3\n", "script error: 1: the message box has no ok button\n"},
        {"dump 2\n", "script error: 1: dump: unexpected \"2\"\n"},
        {"key f1\n", "script error: 1: the script ended while the wizard is open\n"},
        {"expect text 2 Next\n", "script error: 1: control 2 shows \"&Next >\", not \"Next\"\n"},
        {"expect hidden 2\n", "script error: 1: control 2 is not hidden\n"},
        {"expect checked 3\n", "script error: 1: control 3 is not checked\n"},
        {"expect shiny 3\n", "script error: 1: expect: \"shiny\" is nothing to expect"},
    };
    for (const Case& c : cases) {
        Outcome run = RunScript(c.script, [] { return Wizard(kPageSelectMethod); });
        EXPECT_EQ(run.status, CScriptRunner::kExitScriptFailed) << c.script;
        EXPECT_NE(run.transcript.find(c.error), std::string::npos) << c.script << "\n" << run.transcript;
        EXPECT_EQ(run.transcript.find("end "), std::string::npos) << c.script;
    }
}

TEST(ScriptRunner, LeadingAnswersReachStartUpMessagesAndAFailedStartUpExitsWithOne)
{
    Outcome run = RunScript("answer ok\nclick 3\n", [] {
        MessageBoxRequest request;
        request.caption = "Warning!";
        request.text = "This tool is already running.\nFinish or cancel the tool and start again.";
        request.style = MB_OK | MB_ICONEXCLAMATION;
        ShowMessageBox(request);
        return 1;
    });
    EXPECT_EQ(run.status, CScriptRunner::kExitStartUpFailed);
    EXPECT_EQ(run.transcript,
              "message \"Warning!\" \"This tool is already running.\\nFinish or cancel the tool and start "
              "again.\" -> ok\n");
}

TEST(ScriptRunner, LinesLeftAfterTheWizardClosedFailTheScript)
{
    Outcome run = RunScript("answer yes\nclick 3\nclick 2\n", [] { return Wizard(kPageSelectMethod); });
    EXPECT_EQ(run.status, CScriptRunner::kExitScriptFailed);
    EXPECT_NE(run.transcript.find("end cancel\nscript error: 3: the wizard has closed\n"), std::string::npos)
        << run.transcript;
}

TEST(ScriptRunner, UnreadableScriptIsAScriptFailure)
{
    std::ostringstream out;
    bool ran = false;
    int status = RunScriptFile("/nonexistent/plintor-script.txt", [&] { ran = true; return 0; }, out);
    EXPECT_EQ(status, CScriptRunner::kExitScriptFailed);
    EXPECT_FALSE(ran);
    EXPECT_EQ(out.str(), "script error: 0: cannot read /nonexistent/plintor-script.txt\n");
}

TEST(ScriptRunner, ExpectationsThatHoldLetTheScriptGoOn)
{
    std::ostringstream out;
    int status = RunScriptText("expect text 2 &Next >\n"
                               "expect text 1002 \"Is your printer connected to network now?\"\n"
                               "expect enabled 3\n"
                               "expect visible 1\n"
                               "expect unchecked 3\n"
                               "expect page 1\n"
                               "answer yes\n"
                               "key escape\n",
                               [] { return Wizard(kPageSelectMethod); }, out);
    EXPECT_EQ(status, 0) << out.str();
    EXPECT_NE(out.str().find("\nend cancel\n"), std::string::npos);
}

TEST(ScriptRunner, FailedTypeIntoAnAddressBoxWasWrittenUnquotedAndBrokeTheTranscriptLine)
{
    // A line feed (or any control byte) typed into an address box stays inside its line.
    Outcome run = RunScript("type 1020 \"1.2\\n3.4\\x01\"\n", [] { return Wizard(kPageIpSetting); });
    EXPECT_EQ(run.status, CScriptRunner::kExitScriptFailed);
    EXPECT_EQ(run.transcript, "page 6 CIPSettingDlg\n"
                              "script error: 1: \"1.2\\n3.4\\x01\" is no a.b.c.d address\n");
    // Words taken from a script line are quoted the same way.
    run = RunScript("click \"\r1\n", [] { return Wizard(kPageSelectMethod); });
    EXPECT_NE(run.transcript.find("script error: 1: click: \"\\\"\\r1\" is no control id\n"), std::string::npos)
        << run.transcript;
}

TEST(ScriptRunner, HexEscapeTookASignOrBlanksInsteadOfTwoHexDigits)
{
    struct Case {
        const char* quoted;
        bool ok;
        const char* text;
    };
    const Case cases[] = {
        {"\"\\x41\\x0a\\xfF\"", true, "A\n\xff"},
        {"\"\\x+1\"", false, ""},  {"\"\\x-1\"", false, ""}, {"\"\\x 1\"", false, ""},
        {"\"\\x\t1\"", false, ""}, {"\"\\x1 \"", false, ""}, {"\"\\x1\"", false, ""},
        {"\"\\x1g\"", false, ""},  {"\"\\x\"", false, ""},
    };
    for (const Case& c : cases) {
        std::size_t position = 0;
        std::string parsed;
        EXPECT_EQ(ParseQuoted(c.quoted, position, parsed), c.ok) << c.quoted;
        if (c.ok) {
            EXPECT_EQ(parsed, c.text) << c.quoted;
        }
    }
    Outcome run = RunScript("type 1029 \"\\x+1\"\n", [] { return Wizard(kPageIpSetting); });
    EXPECT_EQ(run.status, CScriptRunner::kExitScriptFailed);
    EXPECT_NE(run.transcript.find("script error: 1: type: the quoted text is not closed or has a bad escape\n"),
              std::string::npos)
        << run.transcript;
}
