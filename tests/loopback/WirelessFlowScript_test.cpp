// Whole wireless runs of the program in-process under the script front end, from the page
// start-up chose to Finish, against the USB stand-in printer: the access point survey,
// the key entry, the typed SSID and the manual settings page, each ending in the job the
// printer received and the settings it holds afterwards.

#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "settings/SettingsContext.h"
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
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::ReadWholeFile;

const std::string Uel = "\x1b%-12345X";
const std::string SetupQuestion = Uel + "@PJL INFO IWASETUP\r\n" + Uel;
const std::string Survey = Uel + "@PJL IWAWLSERCHRESULTGET\r\n" + Uel;

// The IP page filled with a static IPv4 address, then the confirmation page applied and
// the completion page finished.
const std::string StaticIpv4Script =
    "expect page 6\n"
    "select 1090 1\n"
    "select 1018 1\n"
    "type 1020 192.168.1.10\n"
    "type 1022 255.255.255.0\n"
    "type 1024 192.168.1.1\n"
    "click 2\n"
    "expect page 9\n"
    "click 2\n"
    "expect page 10\n"
    "click 2\n";

const std::string StaticIpv4Lines =
    "@PJL SETWLPARAMS VSSTACKMODE=IPV4\r\n"
    "@PJL SETWLPARAMS IPMODE=MANUAL\r\n"
    "@PJL SETWLPARAMS IPADDRESS=C0A8010A\r\n"
    "@PJL SETWLPARAMS SNMADDRESS=FFFFFF00\r\n"
    "@PJL SETWLPARAMS GTWADDRESS=C0A80101\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class WirelessFlowScriptTest : public test::ScriptedRunTest {
protected:
    // The sample configuration with the survey switch.
    void WriteConfig(bool apDiscovery)
    {
        WriteSampleConfig([apDiscovery](std::string& ini) {
            ASSERT_NE(ini.find("AP_USB_DISCOVERY=ON"), std::string::npos);
            if (!apDiscovery)
                ini = Replace(ini, "AP_USB_DISCOVERY=ON", "AP_USB_DISCOVERY=OFF");
        });
    }

    // A USB stand-in that hears access points of every kind, two of which the page drops
    // (an encryption mode and a link quality without a display row).
    void StartPrinter(bool apDiscovery = true)
    {
        WriteConfig(apDiscovery);
        CPrinterProcess::Setup setup;
        setup.usb = true;
        statePath = folder.Path() + "/state";
        setup.arguments = {"--state", statePath};
        for (const std::string& accessPoint : accessPoints) {
            setup.arguments.push_back("--access-point");
            setup.arguments.push_back(accessPoint);
        }
        printer = std::make_unique<CPrinterProcess>(setup);
        ASSERT_TRUE(printer->Ready());
    }

    int Run(const std::string& commandLine, const std::string& script)
    {
        return test::RunProgramUnderScript({configPath, printer->UsbDevice(), 1, 1033, operations}, commandLine, script, transcript);
    }

    // Runs the program on the network: the search finds the stand-in at 127.0.0.1, whose
    // PJL port the network channel is moved to.
    int RunOnNetwork(const std::string& script)
    {
        setenv("PLINTOR_PJL_PORT", std::to_string(printer->Port()).c_str(), 1);
        PrinterOperations usual = operations;
        operations.discoverNetwork = [](RunState& run) {
            run.printers.Clear();
            PrinterEntry entry;
            entry.connection = kConnectionNetwork;
            entry.addressIpv4 = "127.0.0.1";
            entry.macAddress = "008092123456";
            entry.options = 1;
            run.printers.Add(entry);
            return run.printers.Count();
        };
        int status = Run("", script);
        operations = usual;
        unsetenv("PLINTOR_PJL_PORT");
        return status;
    }

    // The printer's state once it has restarted `restarts` times.
    std::string StateAfterRestarts(int restarts)
    {
        std::string state;
        std::string mark = "RESTARTS=" + std::to_string(restarts) + "\n";
        for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;) {
            state = ReadWholeFile(statePath);
            if (state.find(mark) != std::string::npos)
                break;
            std::this_thread::sleep_for(20ms);
        }
        EXPECT_NE(state.find(mark), std::string::npos) << state;
        return state;
    }

    std::vector<std::string> accessPoints = {"OpenCafe,0,1", "OldWep,1,2", "Unknown,4,1", "Tkip,2,3",
                                             "HomeAP,3,1",   "Faint,3,7",  "Mixed,6,2"};
    std::string statePath;
    std::unique_ptr<CPrinterProcess> printer;
    std::string transcript;
};

TEST_F(WirelessFlowScriptTest, NetworkRunFromTheWelcomePageWithWpa2AndAStaticAddress)
{
    StartPrinter();
    int status = RunOnNetwork("expect page 0\n"
                              "check 1038\n"
                              "click 2\n"
                              "expect page 1\n"
                              "check 1042\n"
                              "click 2\n"
                              "expect page 14\n"
                              "click 2\n"
                              "expect page 4\n"
                              "select 1048 0\n"
                              "click 2\n"
                              "expect page 5\n"
                              "type 1076 HomeAP\n"
                              "select 1084 3\n"
                              "type 1088 home-passphrase\n"
                              "click 2\n" +
                              StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.find("page 11"), std::string::npos) << transcript;
    std::string expected = SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"HomeAP\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                           "@PJL SETWLPARAMS SECURITY=WPAPSKAES PASSPHRASE=\"home-passphrase\"\r\n" +
                           StaticIpv4Lines +
                           // The welcome page adds the panel language the configuration offers.
                           "@PJL DEFAULT LANG=ENGLISH\r\n"
                           "@PJL REBOOT\r\n" +
                           Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.SSID=HomeAP\n"), std::string::npos) << state;
    EXPECT_NE(state.find("WLAN.IPADDRESS=C0A8010A\n"), std::string::npos) << state;
}

TEST_F(WirelessFlowScriptTest, AccessPointWithSecurityThenKeyEntryThenIpSettings)
{
    StartPrinter();
    int status = Run("/mode:usb /wireless",
                     "expect page 11\n"
                     "expect checked 1107\n"
                     "expect disabled 1133\n"
                     "dump\n"
                     "select 1114 3\n"
                     "click 2\n"
                     "expect page 12\n"
                     "expect text 1002 \"Enter Passphrase\"\n"
                     "expect text 1139 HomeAP\n"
                     "type 1137 short\n"
                     "click 2\n"
                     "expect page 12\n"
                     "type 1137 home-passphrase\n"
                     "click 2\n" +
                         StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    // The list: five rows in survey order; "Unknown" and "Faint" are not listed.
    EXPECT_NE(transcript.find("\"OpenCafe\" \"No Security\" \"Good\""), std::string::npos) << transcript;
    for (const char* row : {"\"OldWep\" \"WEP\" \"Acceptable\"", "\"Tkip\" \"WPA-PSK-TKIP\" \"Low\"",
                            "\"HomeAP\" \"WPA2-PSK-AES\" \"Good\"", "\"Mixed\" \"Mixed mode PSK\" \"Acceptable\""})
        EXPECT_NE(transcript.find(row), std::string::npos) << row;
    EXPECT_EQ(transcript.find("Unknown"), std::string::npos);
    EXPECT_EQ(transcript.find("Faint"), std::string::npos);
    EXPECT_NE(transcript.find("page 11 CSelectAPDlg\n"), std::string::npos);
    EXPECT_NE(transcript.find("message \"Input Error\" \"Incorrect passphrase.\" -> ok (default)\n"), std::string::npos);

    std::string expected = Survey + SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"HomeAP\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                           "@PJL SETWLPARAMS SECURITY=WPAPSKAES PASSPHRASE=\"home-passphrase\"\r\n" +
                           StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.SSID=HomeAP\n"), std::string::npos) << state;
    EXPECT_NE(state.find("WLAN.PASSPHRASE=home-passphrase\n"), std::string::npos) << state;
    EXPECT_NE(state.find("WLAN.IPADDRESS=C0A8010A\n"), std::string::npos) << state;
}

TEST_F(WirelessFlowScriptTest, OpenAccessPointGoesStraightToTheIpSettings)
{
    StartPrinter();
    int status = Run("/mode:usb /wireless", "expect page 11\nclick 2\n" + StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.find("page 12"), std::string::npos) << transcript;
    std::string expected = Survey + SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"OpenCafe\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                           "@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n" +
                           StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.SSID=OpenCafe\n"), std::string::npos) << state;
    EXPECT_NE(state.find("WLAN.SECURITY=NOSECURITY\n"), std::string::npos) << state;
}

TEST_F(WirelessFlowScriptTest, TypedSsidThenFixedSsidSettingsWithWep)
{
    StartPrinter();
    int status = Run("/mode:usb /wireless",
                     "expect page 11\n"
                     "check 1108\n"
                     "expect disabled 1114\n"
                     "expect enabled 1133\n"
                     "click 2\n"
                     "expect page 11\n"
                     "type 1133 Hidden Net\n"
                     "click 2\n"
                     "expect page 13\n"
                     "expect text 1140 \"Hidden Net\"\n"
                     "select 1084 1\n"
                     "select 1085 2\n"
                     "type 1088 0123456789abcdef0123456789\n"
                     "click 2\n" +
                         StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_NE(transcript.find("message \"Input Error\" \"Incorrect SSID.\" -> ok (default)\n"), std::string::npos)
        << transcript;
    std::string expected = Survey + SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Hidden Net\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                           "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=128BIT TRANSMITKEY=2 "
                           "WEPKEY=\"FD0123456789abcdef0123456789FF\"\r\n" +
                           StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.TRANSMITKEY=2\n"), std::string::npos) << state;
}

TEST_F(WirelessFlowScriptTest, WithoutSurveyTheSettingsPageComesFirst)
{
    StartPrinter(false);
    int status = Run("/mode:usb /wireless",
                     "expect page 5\n"
                     "type 1076 Office\n"
                     "select 1084 3\n"
                     "type 1088 office-wpa2-key\n"
                     "click 2\n" +
                         StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.find("page 11"), std::string::npos) << transcript;
    std::string expected = SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Office\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                           "@PJL SETWLPARAMS SECURITY=WPAPSKAES PASSPHRASE=\"office-wpa2-key\"\r\n" +
                           StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    StateAfterRestarts(1);
}

TEST_F(WirelessFlowScriptTest, AdHocHidesTheGatewaysAndSendsZeroGateways)
{
    StartPrinter(false);
    int status = Run("/mode:usb /wireless",
                     "expect page 5\n"
                     "type 1076 Peer\n"
                     "check 1080\n"
                     "select 1084 1\n"
                     "type 1088 abcde\n"
                     "click 2\n"
                     "expect page 6\n"
                     "expect hidden 1024\n"
                     "expect hidden 1033\n"
                     "select 1090 1\n"
                     "select 1018 1\n"
                     "type 1020 192.168.1.10\n"
                     "type 1022 255.255.255.0\n"
                     "click 2\n"
                     "expect page 9\n"
                     "click 2\n"
                     "expect page 10\n"
                     "click 2\n");
    EXPECT_EQ(status, 0) << transcript;
    std::string expected = SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Peer\"\r\n"
                           "@PJL SETWLPARAMS NETWORKTYPE=ADHOC\r\n"
                           "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=64BIT TRANSMITKEY=1 WEPKEY=\"56162636465FFF\"\r\n"
                           "@PJL SETWLPARAMS VSSTACKMODE=IPV4\r\n"
                           "@PJL SETWLPARAMS IPMODE=MANUAL\r\n"
                           "@PJL SETWLPARAMS IPADDRESS=C0A8010A\r\n"
                           "@PJL SETWLPARAMS SNMADDRESS=FFFFFF00\r\n"
                           "@PJL SETWLPARAMS GTWADDRESS=00000000\r\n"
                           "@PJL REBOOT\r\n" +
                           Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.NETWORKTYPE=ADHOC\n"), std::string::npos) << state;
    EXPECT_NE(state.find("WLAN.GTWADDRESS=00000000\n"), std::string::npos) << state;
}

// Runs under the locale that UseLocale names, whose character set is then the wire's, as
// in the program (the other runs fix the wire's set).
class WirelessNamesScriptTest : public WirelessFlowScriptTest {
protected:
    void SetUp() override
    {
        WirelessFlowScriptTest::SetUp();
        if (const char* before = std::getenv("LC_ALL"))
            savedLocale = before;
    }
    void TearDown() override
    {
        if (savedLocale)
            setenv("LC_ALL", savedLocale->c_str(), 1);
        else
            unsetenv("LC_ALL");
        WirelessFlowScriptTest::TearDown();
    }
    void AdjustSettingsContext(SettingsContext& context) override { context.wireCharset.clear(); }
    void UseLocale(const char* name) { setenv("LC_ALL", name, 1); }

    std::optional<std::string> savedLocale;
};

const std::string OpenNetworkLines = "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                                     "@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n";

TEST_F(WirelessNamesScriptTest, TypedSsidThatAsciiCannotCarryIsRefusedInsteadOfSentAsQuestionMarks)
{
    StartPrinter(false);
    UseLocale("C");
    int status = Run("/mode:usb /wireless",
                     "expect page 5\n"
                     "type 1076 Caf\xc3\xa9\n"
                     "click 2\n"
                     "expect page 5\n"
                     "type 1076 Cafe\n"
                     "click 2\n" +
                         StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_NE(transcript.find("message \"Input Error\" \"The SSID contains a character that cannot be sent to the "
                              "printer in this computer's character set."),
              std::string::npos)
        << transcript;
    std::string expected = SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Cafe\"\r\n" +
                           OpenNetworkLines + StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
}

TEST_F(WirelessNamesScriptTest, TypedSsidUnderUtf8IsSentAsItsBytesAndCountedInOctets)
{
    StartPrinter(false);
    UseLocale("C.UTF-8");
    // Twelve characters, 36 bytes in UTF-8: more than an SSID holds.
    const std::string twelveKanji = "\xe6\x9d\xb1\xe4\xba\xac\xe9\x83\xbd\xe5\x8d\x83\xe4\xbb\xa3\xe7\x94\xb0"
                                    "\xe5\x8c\xba\xe4\xb8\xb8\xe3\x81\xae\xe5\x86\x85\xe4\xb8\x80\xe4\xb8\x81";
    int status = Run("/mode:usb /wireless",
                     "expect page 5\n"
                     "type 1076 " + twelveKanji + "\n"
                     "click 2\n"
                     "expect page 5\n"
                     "type 1076 Caf\xc3\xa9\n"
                     "click 2\n" +
                         StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    EXPECT_NE(transcript.find("message \"Input Error\" \"The SSID is too long. An SSID holds at most 32 bytes"),
              std::string::npos)
        << transcript;
    std::string expected = SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Caf\xc3\xa9\"\r\n" +
                           OpenNetworkLines + StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.SSID=Caf\xc3\xa9\n"), std::string::npos) << state;
}

TEST_F(WirelessNamesScriptTest, SurveyedSsidThatUtf8CannotReadGoesBackByteForByteNotAsReplacementCharacters)
{
    // A Latin-1 name, whose \xe9 begins no UTF-8 character.
    accessPoints = {"Caf\xe9,0,1"};
    StartPrinter();
    UseLocale("C.UTF-8");
    int status = Run("/mode:usb /wireless", "expect page 11\ndump\nclick 2\n" + StaticIpv4Script);
    EXPECT_EQ(status, 0) << transcript;
    // The list shows what it cannot read as U+FFFD.
    EXPECT_NE(transcript.find("\"Caf\xef\xbf\xbd\" \"No Security\" \"Good\""), std::string::npos) << transcript;
    std::string expected = Survey + SetupQuestion + Uel +
                           "@PJL DEFAULT IWAWIRELESS=ON\r\n"
                           "@PJL SETWLPARAMS SSID=\"Caf\xe9\"\r\n" +
                           OpenNetworkLines + StaticIpv4Lines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    std::string state = StateAfterRestarts(1);
    EXPECT_NE(state.find("WLAN.SSID=Caf\xe9\n"), std::string::npos) << state;
}

}
}
