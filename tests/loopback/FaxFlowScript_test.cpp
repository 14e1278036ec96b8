// Whole FAX runs of the program in-process under the script front end: start-up with its
// command line, the wizard from the page start-up chose to Finish, against stand-in
// printers on USB and on the network (the network search replaced by one that finds the
// stand-in on 127.0.0.1, so that nothing is broadcast).

#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "ui/headless/CScriptRunner.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunContexts.h"

#include "PrinterProcess.h"
#include "ScriptedRun.h"
#include "ScriptedRunTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::ReadWholeFile;

const std::string Uel = "\x1b%-12345X";
const std::string SetupQuestion = Uel + "@PJL INFO IWASETUP\r\n" + Uel;
const std::string FaxQuestions =
    "@PJL DINQUIRE FAX_SET_COUNTRY\r\n"
    "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n"
    "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n"
    "@PJL DINQUIRE FAX_SET_RCV_MODE\r\n"
    "@PJL DINQUIRE FAX_SET_DRPD\r\n"
    "@PJL DINQUIRE FAX_SET_SD_HEAD_NAME\r\n"
    "@PJL DINQUIRE FAX_SET_G3ID\r\n";
const std::string ShortRead = Uel + FaxQuestions + Uel;
const std::string LongRead = Uel + "@PJL DINQUIRE IWAFAXFUNC\r\n" + FaxQuestions + Uel;

// The line type (PBX), dial type (DP10) and company name come back as the printer gave
// them; region, receive mode, ring pattern and number are changed on the page.
const std::string ChangedFaxJob =
    "@PJL DEFAULT IWAFAXFUNCSAVE=ON\r\n"
    "@PJL DEFAULT FAX_SET_COUNTRY_SAVE=FRANCE\r\n"
    "@PJL DEFAULT FAX_SET_LINE_TYPE_SAVE=PBX\r\n"
    "@PJL DEFAULT FAX_SET_DIAL_TYPE_SAVE=DP10\r\n"
    "@PJL DEFAULT FAX_SET_RCV_MODE_SAVE=DRPD\r\n"
    "@PJL DEFAULT FAX_SET_DRPD_SAVE=PAT6\r\n"
    "@PJL DEFAULT FAX_SET_SD_HEAD_NAME_SAVE=\"Old Name\"\r\n"
    "@PJL DEFAULT FAX_SET_G3ID_SAVE=\"+33 1 5550 100\"\r\n"
    "@PJL NVMINIT FAXSAVE\r\n"
    "@PJL REBOOT\r\n";

// On either FAX page: the printer's values shown, four of them changed; then the
// confirmation page applied and the completion page finished. The sample configuration
// lists seven regions, sorted: Australia, Canada, France, Germany, Japan, United Kingdom,
// United States; the receive modes in code order, DRPD last.
const std::string ChangeAndApply =
    "expect text 1070 Old Name\n"
    "expect text 1072 +49 30 1\n"
    "expect disabled 1067\n"
    "select 1055 2\n"
    "select 1064 4\n"
    "expect enabled 1067\n"
    "select 1067 5\n"
    "type 1072 +33 1 5550 100\n"
    "click 2\n"
    "expect page 9\n"
    "click 2\n"
    "expect page 10\n"
    "click 2\n";

class FaxFlowScriptTest : public test::ScriptedRunTest {
protected:
    // No nation of the user's: the region comes from the printer.
    void AdjustSettingsContext(SettingsContext& context) override
    {
        context.userNation = [] { return std::int64_t{-1}; };
    }
    void SetUp() override
    {
        ScriptedRunTest::SetUp();
        if (HasFatalFailure())
            return;
        CPrinterProcess::Setup setup;
        setup.usb = true;
        statePath = folder.Path() + "/state";
        setup.arguments = {"--state", statePath,
                           "--dinquire", "FAX_SET_COUNTRY=GERMANY", "--dinquire", "FAX_SET_LINE_TYPE=PBX",
                           "--dinquire", "FAX_SET_DIAL_TYPE=DP10", "--dinquire", "FAX_SET_RCV_MODE=TELFAX",
                           "--dinquire", "FAX_SET_DRPD=PAT3", "--dinquire", "FAX_SET_SD_HEAD_NAME=Old Name",
                           "--dinquire", "FAX_SET_G3ID=+49 30 1", "--dinquire", "IWAFAXFUNC=ON"};
        printer = std::make_unique<CPrinterProcess>(setup);
        ASSERT_TRUE(printer->Ready());
        setenv("PLINTOR_PJL_PORT", std::to_string(printer->Port()).c_str(), 1);
    }
    void TearDown() override
    {
        ScriptedRunTest::TearDown();
        unsetenv("PLINTOR_PJL_PORT");
    }

    // Runs the program with `commandLine` under `script`; the transcript lands in `transcript`.
    int Run(const std::string& commandLine, const std::string& script, std::uint16_t uiLanguage = 1033)
    {
        // The network search finds the stand-in on the loopback address.
        operations.discoverNetwork = [](RunState& run) {
            PrinterEntry entry;
            entry.connection = kConnectionNetwork;
            entry.addressIpv4 = "127.0.0.1";
            entry.macAddress = "0000AA000001";
            entry.options = 0;
            run.printers.Add(entry);
            return run.printers.Count();
        };
        return test::RunProgramUnderScript({configPath, printer->UsbDevice(), 0, uiLanguage, operations}, commandLine,
                                           script, transcript);
    }

    // The state once it holds `line` (bounded wait).
    std::string WaitForState(const std::string& line)
    {
        std::string state;
        for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;) {
            state = ReadWholeFile(statePath);
            if (state.find(line) != std::string::npos)
                break;
            std::this_thread::sleep_for(20ms);
        }
        return state;
    }
    void ExpectChangedState()
    {
        std::string state = WaitForState("RESTARTS=1\n");
        for (const char* line : {"FAX_SET_COUNTRY=FRANCE\n", "FAX_SET_LINE_TYPE=PBX\n", "FAX_SET_DIAL_TYPE=DP10\n",
                                 "FAX_SET_RCV_MODE=DRPD\n", "FAX_SET_DRPD=PAT6\n", "FAX_SET_SD_HEAD_NAME=Old Name\n",
                                 "FAX_SET_G3ID=+33 1 5550 100\n", "FAXSAVE=1\n", "RESTARTS=1\n"})
            EXPECT_NE(state.find(line), std::string::npos) << line << state;
    }

    // A FAX run over the network: the network check page, the selection page with the
    // stand-in, then the FAX page of `variant`.
    void RunOverTheNetwork(const std::string& variant)
    {
        bool flow = variant == "flow";
        int status = Run("/mode:network /fax /run:" + variant,
                         "expect page 14\n"
                         "click 2\n"
                         "wait page 4\n"
                         "select 1048 0\n"
                         "click 2\n" +
                             ChangeAndApply);
        EXPECT_EQ(status, 0) << transcript;
        std::string pages = std::string("page 14 CConnectComDlg\npage 4 CSelectPrinterDlg\n") +
                            (flow ? "page 8 CCheckFAXSettingDlg\n" : "page 7 CFAXSettingDlg\n") +
                            "page 9 CConfirmConfigDlg\npage 10 CCompleteDlg\n";
        EXPECT_EQ(transcript.rfind(pages, 0), 0u) << transcript;
        std::string expected = (flow ? LongRead : ShortRead) + SetupQuestion + Uel + ChangedFaxJob + Uel;
        EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
        ExpectChangedState();
    }

    std::string statePath;
    std::unique_ptr<CPrinterProcess> printer;
    std::string transcript;
};

TEST_F(FaxFlowScriptTest, UsbTopRunStartsOnTheFaxPageAndWritesTheChangedValuesBack)
{
    int status = Run("/mode:usb /fax /run:top", ChangeAndApply);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.rfind("page 7 CFAXSettingDlg\npage 9 CConfirmConfigDlg\npage 10 CCompleteDlg\n", 0), 0u)
        << transcript;
    EXPECT_EQ(transcript.find("message "), std::string::npos) << transcript;
    std::string expected = ShortRead + SetupQuestion + Uel + ChangedFaxJob + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    ExpectChangedState();
}

TEST_F(FaxFlowScriptTest, UsbFlowRunUsesTheLongReadAndThePageWithTheBox)
{
    int status = Run("/mode:usb /fax /run:flow", "expect unchecked 1095\n" + ChangeAndApply);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.rfind("page 8 CCheckFAXSettingDlg\npage 9 CConfirmConfigDlg\npage 10 CCompleteDlg\n", 0),
              0u)
        << transcript;
    std::string expected = LongRead + SetupQuestion + Uel + ChangedFaxJob + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    ExpectChangedState();
}

TEST_F(FaxFlowScriptTest, NetworkTopRunReadsAtSelectionAndWritesBack)
{
    RunOverTheNetwork("top");
}

TEST_F(FaxFlowScriptTest, NetworkFlowRunReadsAtSelectionAndWritesBack)
{
    RunOverTheNetwork("flow");
}

TEST_F(FaxFlowScriptTest, DeclinedInAFaxOnlyRunWithThePanelSendsTheLanguageAndCompletes)
{
    int status = Run("/mode:usb /fax /panel /run:flow",
                     "check 1095\n"
                     "expect disabled 1055\n"
                     "expect enabled 1056\n"
                     "click 2\n"
                     "expect page 10\n"
                     "click 2\n",
                     1036);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.rfind("page 8 CCheckFAXSettingDlg\npage 10 CCompleteDlg\n", 0), 0u) << transcript;
    EXPECT_EQ(transcript.find("CConfirmConfigDlg"), std::string::npos) << transcript;
    std::string expected = LongRead + Uel + "@PJL DEFAULT LANG=FRENCH\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = WaitForState("LANG=FRENCH\n");
    EXPECT_NE(state.find("LANG=FRENCH\n"), std::string::npos) << state;
    EXPECT_NE(state.find("FAXSAVE=0\n"), std::string::npos) << state;
    EXPECT_NE(state.find("FAX_SET_COUNTRY=GERMANY\n"), std::string::npos) << state;
}

}
}
