// The FAX pages against stand-in printers: the values read from the printer, changed on
// the page and written back, over the network and over USB, with both page variants.

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/FaxSettingIds.h"
#include "resources/dialogs/IpSettingIds.h"
#include "settings/FaxRead.h"
#include "settings/SettingsStore.h"
#include "ui/CComboBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/RunContexts.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::CTempFolder;
using State = std::map<std::string, std::string>;

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

// The printer's FAX values before the run.
const std::vector<std::string> kPrinterFax = {
    "--dinquire", "FAX_SET_COUNTRY=GERMANY",  "--dinquire", "FAX_SET_LINE_TYPE=PBX",
    "--dinquire", "FAX_SET_DIAL_TYPE=DP10",   "--dinquire", "FAX_SET_RCV_MODE=TELFAX",
    "--dinquire", "FAX_SET_DRPD=PAT3",        "--dinquire", "FAX_SET_SD_HEAD_NAME=Old Name",
    "--dinquire", "FAX_SET_G3ID=+49 30 1",    "--dinquire", "IWAFAXFUNC=ON",
};

// A stand-in printer that writes its settings state to a file.
struct StandIn {
    CTempFolder stateFolder;
    std::string statePath = stateFolder.Path() + "/state";
    std::unique_ptr<CPrinterProcess> process;

    explicit StandIn(const std::vector<std::string>& arguments, bool usb = false)
    {
        CPrinterProcess::Setup setup;
        setup.arguments = {"--state", statePath};
        setup.arguments.insert(setup.arguments.end(), arguments.begin(), arguments.end());
        setup.usb = usb;
        process = std::make_unique<CPrinterProcess>(setup);
    }
    State ReadState() const
    {
        State state;
        std::ifstream file(statePath, std::ios::binary);
        std::string line;
        while (std::getline(file, line)) {
            auto equals = line.find('=');
            if (equals != std::string::npos)
                state[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return state;
    }
    // The state once the printer has taken `jobs` jobs (bounded wait).
    State WaitForJobs(int jobs) const
    {
        auto deadline = std::chrono::steady_clock::now() + 10s;
        State state = ReadState();
        while (std::atoi(state["JOBS"].c_str()) < jobs && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
            state = ReadState();
        }
        return state;
    }
};

class FaxFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.configFilePath = folder.Path() + "/plintor.ini";  // absent: no entry bracket
        app.config.faxCountries = {244, 39, 242, 94, 84, 12, 122};
        app.config.faxLineTypes = {1, 2};
        app.config.faxDialTypes = {1, 2, 3};
        app.config.faxReceiveModes = {1, 2, 3, 4, 5};
        app.config.faxDrpdPatterns = {1, 2, 3, 4, 5, 6, 7};
        app.config.faxDefaults.country = 244;
        app.config.faxDefaults.lineType = 1;
        app.config.faxDefaults.dialType = 1;
        app.config.faxDefaults.receiveMode = 2;
        app.config.faxDefaults.drpdPattern = 4;
        app.config.panelLanguages = {1033, 1036, 1031};
        app.configureFlags = kConfigureFax;
        std::string program = folder.Path() + "/plintor";
        app.operations.adjustContext = [program](SettingsContext& context) {
            context.wireCharset = "ISO-8859-1";
            context.programPath = program;
            context.userNation = [] { return std::int64_t{-1}; };
            context.bounds.connect = 2s;
            context.bounds.read = 2s;
            context.bounds.cycle = 4s;
            context.bounds.pause = 50ms;
        };
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        unsetenv("PLINTOR_PJL_PORT");
    }
    void UsePort(int port) { setenv("PLINTOR_PJL_PORT", std::to_string(port).c_str(), 1); }

    void AddNetworkPrinter()
    {
        PrinterEntry entry;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = "127.0.0.1";
        entry.macAddress = "0000AA000001";
        entry.options = 0;
        app.printers.Add(entry);
        app.connectionMode = 2;
    }
    void AddUsbPrinter(const std::string& device)
    {
        PrinterEntry entry;
        entry.connection = kConnectionUsb;
        entry.usbDevicePath = device;
        entry.options = 0;
        app.printers.Add(entry);
        app.connectionMode = 1;
    }
    // Chooses the printer and reads its FAX settings, as the page before the FAX page does.
    void ChooseAndRead()
    {
        app.currentPrinter.SetSettings(app.printers.Entries()[0].Settings());
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        ReadFaxSettings(SettingsContextOf(app), app.currentPrinter.faxReadStatus);
    }
    void Open(int page)
    {
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        frontEnd.Pump();
        ASSERT_EQ(frontEnd.CurrentPage(), page);
    }
    std::string SelectedText(int id)
    {
        auto* box = dynamic_cast<CComboBox*>(frontEnd.Control(id));
        return box && box->GetCurSel() >= 0 ? box->GetLBText(box->GetCurSel()) : "(none)";
    }
    bool Pick(int id, const std::string& text)
    {
        auto* box = dynamic_cast<CComboBox*>(frontEnd.Control(id));
        for (int i = 0; box && i < box->GetCount(); ++i)
            if (box->GetLBText(i) == text)
                return bool(frontEnd.Select(id, i));
        return false;
    }
    void ExpectPrinterValuesShown()
    {
        EXPECT_EQ(SelectedText(IDC_FAX_REGION), "Germany");
        EXPECT_EQ(SelectedText(IDC_FAX_LINE_TYPE), "PBX");
        EXPECT_EQ(SelectedText(IDC_FAX_DIAL_TYPE), "DP(10PPS)");
        EXPECT_EQ(SelectedText(IDC_FAX_RECEIVE_MODE), "TEL/FAX Mode");
        EXPECT_EQ(SelectedText(IDC_FAX_DRPD), "Pattern3");
        EXPECT_EQ(frontEnd.Control(IDC_FAX_COMPANY)->GetWindowText(), "Old Name");
        EXPECT_EQ(frontEnd.Control(IDC_FAX_NUMBER)->GetWindowText(), "+49 30 1");
    }
    void ChangeValues()
    {
        ASSERT_TRUE(Pick(IDC_FAX_REGION, "France"));
        ASSERT_TRUE(Pick(IDC_FAX_LINE_TYPE, "PSTN"));
        ASSERT_TRUE(Pick(IDC_FAX_DIAL_TYPE, "DP(20PPS)"));
        ASSERT_TRUE(Pick(IDC_FAX_RECEIVE_MODE, "DRPD Mode"));
        ASSERT_TRUE(Pick(IDC_FAX_DRPD, "Pattern6"));
        ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Lakeside Books"));
        ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "+33 1 5550 100"));
    }
    // Next on the FAX page, then Apply on the confirmation page.
    void ConfirmAndApply()
    {
        ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
        ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
        ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
        EXPECT_TRUE(frontEnd.Messages().empty()) << frontEnd.Messages().front().text;
        ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    }
    void ExpectChangedValuesSaved(const StandIn& printer, int jobs)
    {
        State state = printer.WaitForJobs(jobs);
        EXPECT_EQ(state["FAX_SET_COUNTRY"], "FRANCE");
        EXPECT_EQ(state["FAX_SET_LINE_TYPE"], "PSTN");
        EXPECT_EQ(state["FAX_SET_DIAL_TYPE"], "DP20");
        EXPECT_EQ(state["FAX_SET_RCV_MODE"], "DRPD");
        EXPECT_EQ(state["FAX_SET_DRPD"], "PAT6");
        EXPECT_EQ(state["FAX_SET_SD_HEAD_NAME"], "Lakeside Books");
        EXPECT_EQ(state["FAX_SET_G3ID"], "+33 1 5550 100");
        EXPECT_EQ(state["FAXSAVE"], "1");
        EXPECT_EQ(state["RESTARTS"], "1");
        EXPECT_EQ(state["UNKNOWN_LINES"], "0");
    }

    const std::string ChangedFaxLines =
        "@PJL DEFAULT IWAFAXFUNCSAVE=ON\r\n"
        "@PJL DEFAULT FAX_SET_COUNTRY_SAVE=FRANCE\r\n"
        "@PJL DEFAULT FAX_SET_LINE_TYPE_SAVE=PSTN\r\n"
        "@PJL DEFAULT FAX_SET_DIAL_TYPE_SAVE=DP20\r\n"
        "@PJL DEFAULT FAX_SET_RCV_MODE_SAVE=DRPD\r\n"
        "@PJL DEFAULT FAX_SET_DRPD_SAVE=PAT6\r\n"
        "@PJL DEFAULT FAX_SET_SD_HEAD_NAME_SAVE=\"Lakeside Books\"\r\n"
        "@PJL DEFAULT FAX_SET_G3ID_SAVE=\"+33 1 5550 100\"\r\n"
        "@PJL NVMINIT FAXSAVE\r\n";

    CTempFolder folder;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(FaxFlowTest, NetworkTopPageReadsChangesAndWritesBack)
{
    StandIn printer(kPrinterFax);
    ASSERT_TRUE(printer.process->Ready());
    UsePort(printer.process->Port());
    app.faxPageVariant = 0;
    AddNetworkPrinter();
    ChooseAndRead();
    Open(kPageFaxSetting);
    EXPECT_TRUE(frontEnd.Messages().empty());
    ExpectPrinterValuesShown();
    ChangeValues();
    ConfirmAndApply();
    std::string expected = ShortRead + SetupQuestion + Uel + ChangedFaxLines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer.process->WaitForLog(expected.size()), expected);
    ExpectChangedValuesSaved(printer, 3);
}

TEST_F(FaxFlowTest, UsbFlowPageReadsChangesAndWritesBack)
{
    StandIn printer(kPrinterFax, true);
    ASSERT_TRUE(printer.process->Ready());
    ASSERT_FALSE(printer.process->UsbDevice().empty());
    app.faxPageVariant = 1;
    AddUsbPrinter(printer.process->UsbDevice());
    ChooseAndRead();
    Open(kPageCheckFaxSetting);
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(frontEnd.Control(IDC_FAX_NOT_USED)->GetWindowText(), "&I don\xE2\x80\x99t use FAX functionality");
    ExpectPrinterValuesShown();
    ChangeValues();
    ConfirmAndApply();
    std::string expected = LongRead + SetupQuestion + Uel + ChangedFaxLines + "@PJL REBOOT\r\n" + Uel;
    EXPECT_EQ(printer.process->WaitForLog(expected.size()), expected);
    ExpectChangedValuesSaved(printer, 3);
}

TEST_F(FaxFlowTest, NetworkFlowPageAndUsbTopPageSendTheSameLines)
{
    for (bool usb : {false, true}) {
        SCOPED_TRACE(usb ? "usb, top" : "network, flow");
        StandIn printer(kPrinterFax, usb);
        ASSERT_TRUE(printer.process->Ready());
        app.printers.Clear();
        if (usb) {
            app.faxPageVariant = 0;
            AddUsbPrinter(printer.process->UsbDevice());
        } else {
            UsePort(printer.process->Port());
            app.faxPageVariant = 1;
            AddNetworkPrinter();
        }
        ChooseAndRead();
        wizard.DestroyWindow();
        frontEnd.SetRoot(nullptr);
        Open(usb ? kPageFaxSetting : kPageCheckFaxSetting);
        ExpectPrinterValuesShown();
        ChangeValues();
        ConfirmAndApply();
        std::string expected =
            (usb ? ShortRead : LongRead) + SetupQuestion + Uel + ChangedFaxLines + "@PJL REBOOT\r\n" + Uel;
        EXPECT_EQ(printer.process->WaitForLog(expected.size()), expected);
        ExpectChangedValuesSaved(printer, 3);
    }
}

TEST_F(FaxFlowTest, APrinterThatDoesNotAnswerGivesOneMessageAndTheConfigurationDefaults)
{
    UsePort(test::FreeLoopbackPort());
    app.faxPageVariant = 0;
    AddNetworkPrinter();
    ChooseAndRead();
    EXPECT_EQ(app.currentPrinter.faxReadStatus, 0);
    Open(kPageFaxSetting);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, "Failed to acquire the information.");
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(SelectedText(IDC_FAX_REGION), "United States");
    EXPECT_EQ(SelectedText(IDC_FAX_LINE_TYPE), "PSTN");
    EXPECT_EQ(SelectedText(IDC_FAX_DIAL_TYPE), "PB");
    EXPECT_EQ(SelectedText(IDC_FAX_RECEIVE_MODE), "FAX Mode");
    EXPECT_EQ(SelectedText(IDC_FAX_DRPD), "Pattern4");
    EXPECT_FALSE(frontEnd.Control(IDC_FAX_DRPD)->IsWindowEnabled());
    EXPECT_EQ(frontEnd.Control(IDC_FAX_COMPANY)->GetWindowText(), "");

    // Leaving and coming back does not tell it again.
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    frontEnd.Pump();
    ASSERT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);
    EXPECT_EQ(frontEnd.Messages().size(), 1u);
}

TEST_F(FaxFlowTest, DeclinedInAFaxOnlyRunSendsOnlyThePanelLanguageAndCompletes)
{
    StandIn printer(kPrinterFax);
    ASSERT_TRUE(printer.process->Ready());
    UsePort(printer.process->Port());
    app.faxPageVariant = 1;
    app.configureFlags = kConfigureFax | kConfigurePanelLanguage;
    app.uiLanguage = 1036;
    AddNetworkPrinter();
    ChooseAndRead();
    Open(kPageCheckFaxSetting);
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string expected = LongRead + Uel + "@PJL DEFAULT LANG=FRENCH\r\n" + Uel;
    EXPECT_EQ(printer.process->WaitForLog(expected.size()), expected);
    State state = printer.WaitForJobs(2);
    EXPECT_EQ(state["LANG"], "FRENCH");
    EXPECT_EQ(state["FAXSAVE"], "0");
    EXPECT_EQ(state["RESTARTS"], "0");
    EXPECT_EQ(state["FAX_SET_COUNTRY"], "GERMANY");
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureFax | kConfigurePanelLanguage));
}

TEST_F(FaxFlowTest, DeclinedWithIpConfirmsWithoutAFaxSectionAndSendsNoFaxLines)
{
    StandIn printer(kPrinterFax);
    ASSERT_TRUE(printer.process->Ready());
    UsePort(printer.process->Port());
    app.faxPageVariant = 1;
    app.configureFlags = kConfigureIp | kConfigureFax;
    AddNetworkPrinter();
    app.currentPrinter.SetSettings(app.printers.Entries()[0].Settings());
    SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
    Open(kPageIpSetting);
    // The IP page reads the FAX settings on its way to the FAX page.
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 0));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    frontEnd.Pump();
    ASSERT_EQ(frontEnd.CurrentPage(), kPageCheckFaxSetting);
    ExpectPrinterValuesShown();
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    std::string summary = frontEnd.Control(IDC_CONFIRM_SUMMARY)->GetWindowText();
    EXPECT_NE(summary.find("IP Address Settings"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("FAX"), std::string::npos) << summary;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string expected = LongRead + SetupQuestion + Uel +
                           "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n"
                           "@PJL IWASETTCPIP IPMODE=DHCP\r\n"
                           "@PJL REBOOT\r\n" +
                           Uel;
    EXPECT_EQ(printer.process->WaitForLog(expected.size()), expected);
    State state = printer.WaitForJobs(3);
    EXPECT_EQ(state["FAXSAVE"], "0");
    EXPECT_EQ(state["FAX_SET_COUNTRY"], "GERMANY");
}

}
}
