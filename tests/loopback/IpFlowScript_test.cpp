// Whole runs of the program in-process under the script front end: start-up with its
// command line, the wizard from the page start-up chose to Finish, against the USB
// stand-in printer.

#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "ui/headless/CScriptRunner.h"
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

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::ReadWholeFile;

const std::string Uel = "\x1b%-12345X";
const std::string SetupQuestion = Uel + "@PJL INFO IWASETUP\r\n" + Uel;
const std::string StaticIpv4Job =
    "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n"
    "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
    "@PJL IWASETTCPIP IPADDRESS=C0A8010A\r\n"
    "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
    "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n"
    "@PJL REBOOT\r\n";

// The IP page filled with a static IPv4 address, then the confirmation page checked and
// applied.
const std::string StaticIpv4Script =
    "expect page 6\n"
    "select 1090 1\n"
    "expect disabled 1027\n"
    "select 1018 1\n"
    "type 1020 192.168.1.10\n"
    "type 1022 255.255.255.0\n"
    "type 1024 192.168.1.1\n"
    "click 2\n"
    "expect page 9\n"
    "expect text 1091 \"========== IP Address Settings ==========\\r\\nIP Mode:IPv4\\r\\n[IPv4 Settings]\\r\\n"
    "Type:Static IP\\r\\nIP Address:192.168.1.10\\r\\nNetwork Mask:255.255.255.0\\r\\n"
    "Gateway Address:192.168.1.1\\r\\n\"\n"
    "click 2\n"
    "expect page 10\n";

class IpFlowScriptTest : public test::ScriptedRunTest {
protected:
    void SetUp() override
    {
        ScriptedRunTest::SetUp();
        if (HasFatalFailure())
            return;
        CPrinterProcess::Setup setup;
        setup.usb = true;
        statePath = folder.Path() + "/state";
        setup.arguments = {"--state", statePath};
        printer = std::make_unique<CPrinterProcess>(setup);
        ASSERT_TRUE(printer->Ready());
    }
    // Runs the program with `commandLine` under `script`; the transcript lands in `transcript`.
    int Run(const std::string& commandLine, const std::string& script, std::uint16_t uiLanguage = 1033)
    {
        return test::RunProgramUnderScript({configPath, printer->UsbDevice(), 0, uiLanguage, operations}, commandLine, script,
                                     transcript);
    }

    std::string statePath;
    std::unique_ptr<CPrinterProcess> printer;
    std::string transcript;
};

TEST_F(IpFlowScriptTest, UsbIpRunFromTheIpPageToFinishWithTheReport)
{
    // Without a Back button: the IP page is the first page shown.
    int status = Run("/mode:usb /ip /no_backbtn", "expect hidden 1\n" + StaticIpv4Script +
                                          "expect visible 1094\n"
                                          "expect hidden 1093\n"
                                          "expect text 2 Finish\n"
                                          "click 1094\n"
                                          "click 2\n");
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript,
              "page 6 CIPSettingDlg\n"
              "page 9 CConfirmConfigDlg\n"
              "page 10 CCompleteDlg\n"
              "message \"Plintor\" \"The print job is sent.\\nCheck the setting list.\" -> ok (default)\n"
              "end cancel\n");
    std::string expected = SetupQuestion + Uel + StaticIpv4Job + Uel + Uel + "@PJL REPORTPRINT PRINTERSETTINGS\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    // The state file is written after every job; the report comes last.
    std::string state;
    for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;) {
        state = ReadWholeFile(statePath);
        if (state.find("REPORTS=PRINTERSETTINGS\n") != std::string::npos)
            break;
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_NE(state.find("REPORTS=PRINTERSETTINGS\n"), std::string::npos) << state;
    EXPECT_NE(state.find("TCPIP.IPADDRESS=C0A8010A\n"), std::string::npos) << state;
    EXPECT_NE(state.find("RESTARTS=1\n"), std::string::npos) << state;
}

TEST_F(IpFlowScriptTest, FileModeRunShowsTheJobAndWritesThePrnFileInsteadOfSending)
{
    int status = Run("/mode:usb /ip /filemode", "answer yes\n" + StaticIpv4Script + "click 2\n");
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_NE(transcript.find("message \"PJL\" \"@PJL IWASETTCPIP VSSTACKMODE=IPV4\\r\\n"), std::string::npos)
        << transcript;
    EXPECT_NE(transcript.find("page 10 CCompleteDlg\n"), std::string::npos);
    std::string framed = Uel + StaticIpv4Job + Uel;
    std::string utf16;
    for (char c : framed) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(ReadWholeFile(folder.Path() + "/plintor.prn"), utf16);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(printer->Log(), SetupQuestion);
}

TEST_F(IpFlowScriptTest, PanelLanguageAloneOverUsbIsSentAtOnceWithoutAWizard)
{
    int status = Run("/panel /mode:usb", "", 1036);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.find("page "), std::string::npos) << transcript;
    // Only the language line: no bracket and no restart.
    std::string expected = Uel + "@PJL DEFAULT LANG=FRENCH\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
}

}
}
