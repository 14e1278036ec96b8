#include "app/CPlintorApp.h"
#include "app/CommandLine.h"
#include "core/ConfigureFlags.h"
#include "wizard/PageIndex.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace plintor {
namespace {

// An application whose system services are fakes: a supported system, an administrator,
// English, and message boxes that are only recorded.
class AppFixture : public ::testing::Test {
protected:
    // No printer operations: a test gives the ones its start-up reaches.
    AppFixture() : app(FakeServices(), PrinterOperations{}) {}

    // Each test takes its locks in a folder of its own, so that parallel runs never meet.
    void SetUp() override
    {
        lockFolder = temp.Path();
        ASSERT_FALSE(lockFolder.empty());
        test::SetTestEnvironment("PLINTOR_LOCK_DIR", lockFolder.c_str());
    }
    void TearDown() override { test::SetTestEnvironment("PLINTOR_LOCK_DIR", nullptr); }

    StartUpServices FakeServices()
    {
        StartUpServices services = DefaultStartUpServices();
        services.osVersionCode = [] { return 20; };
        services.isAdministrator = [] { return true; };
        services.defaultLanguage = [] { return std::uint16_t{1033}; };
        services.showMessage = [this](std::uint16_t, unsigned textId, unsigned titleId, std::uint32_t) {
            messages.push_back(textId);
            titles.push_back(titleId);
            return 1;
        };
        return services;
    }

    void Configure(std::uint32_t connections, std::uint32_t features, std::int32_t checkWlanDefault = 0)
    {
        app.config.connectionTypes = connections;
        app.config.features = features;
        app.config.checkWlanDefault = checkWlanDefault;
    }

    // Parses `line` and resolves the run options.
    bool Run(const std::string& line)
    {
        app.commandLine = line;
        if (!app.ParseCommandLine())
            return false;
        app.ResolveRunOptions();
        return true;
    }

    test::CTempFolder temp{"plintor-app"};
    std::string lockFolder;
    CPlintorApp app;
    std::vector<unsigned> messages;
    std::vector<unsigned> titles;
};

TEST(CommandLine, GetOptionValueStopsAtBlanksAndSlashes)
{
    EXPECT_EQ(GetOptionValue("/LANGID:1031 /ip", "/langid:"), "1031");
    EXPECT_EQ(GetOptionValue("/mode:USB/ip", "/MODE:"), "usb");
    EXPECT_EQ(GetOptionValue("/mode:\"\"network\"", "/mode:"), "network");
    EXPECT_EQ(GetOptionValue("/mode:", "/mode:"), "");
    EXPECT_EQ(GetOptionValue("/ip", "/mode:"), "");
    EXPECT_EQ(GetOptionValue("x/run:flow", "/run:"), "flow");
}

TEST(CommandLine, FrontEndArgumentsNeverReachStartUp)
{
    const char* argv[] = {"plintor", "--script", "/home/ipp/run.txt", "/mode:usb", "--platform=offscreen",
        "/panel", "my file", nullptr};
    ProgramArguments args = SplitProgramArguments(7, argv);
    EXPECT_EQ(args.scriptPath, "/home/ipp/run.txt");
    EXPECT_EQ(args.commandLine, "/mode:usb /panel \"my file\"");
    EXPECT_EQ(args.frontEnd, std::vector<std::string>{"--platform=offscreen"});
    EXPECT_FALSE(args.help);

    const char* inlineForm[] = {"plintor", "--script=/tmp/ip/wireless", "--help", nullptr};
    args = SplitProgramArguments(3, inlineForm);
    EXPECT_EQ(args.scriptPath, "/tmp/ip/wireless");
    EXPECT_TRUE(args.help);
    EXPECT_EQ(args.commandLine, "");

    const char* missing[] = {"plintor", "/ip", "--script", nullptr};
    args = SplitProgramArguments(3, missing);
    EXPECT_FALSE(args.error.empty());
    EXPECT_EQ(args.commandLine, "/ip");

    EXPECT_EQ(SplitProgramArguments(0, nullptr).commandLine, "");
}

TEST_F(AppFixture, OptionsAreParsedWithoutRegardToCase)
{
    app.config.checkWlanDefault = 1;
    app.commandLine = "/LangID:1031 /Mode:Network /FAX /Panel /No_BackBtn /RUN:flow /Check:WLAN /FileMode";
    ASSERT_TRUE(app.ParseCommandLine());
    EXPECT_EQ(app.hasOptions, 1);
    EXPECT_EQ(app.optLanguage, 1031);
    EXPECT_EQ(app.optConnection, 2);
    EXPECT_EQ(app.optConfigure, CPlintorApp::kOptFax | CPlintorApp::kOptPanel);
    EXPECT_EQ(app.optBackButton, 0);
    EXPECT_EQ(app.faxPageVariant, 1);
    EXPECT_EQ(app.optCheckWlan, 1);
    EXPECT_EQ(app.fileMode, 1);
}

TEST_F(AppFixture, IpWithWirelessIsRefusedUnlessSelectIsGiven)
{
    app.commandLine = "/WIRELESS /Ip";
    EXPECT_FALSE(app.ParseCommandLine());

    CPlintorApp other(FakeServices(), PrinterOperations{});
    other.commandLine = "/ip /wireless /select";
    ASSERT_TRUE(other.ParseCommandLine());
    EXPECT_EQ(other.optConfigure, CPlintorApp::kOptSelect);
    other.ResolveRunOptions();
    EXPECT_EQ(other.ComputeStartPage(), kPageWelcome);
}

TEST_F(AppFixture, ValuesOutsideTheTablesDoNotCountAsOptions)
{
    Configure(ConnectionNet, FeatureIp);
    ASSERT_TRUE(Run("/mode:serial /run:sideways /filemode"));
    EXPECT_EQ(app.optConnection, -1);
    EXPECT_EQ(app.faxPageVariant, -1);
    EXPECT_EQ(app.fileMode, 1);
    EXPECT_EQ(app.hasOptions, 0);
    // Derived from the configuration as without options.
    EXPECT_EQ(app.connectionMode, 2);
    EXPECT_EQ(app.configureFlags, kConfigureIp);
    EXPECT_EQ(app.backButtonFlag, 0);

    CPlintorApp junk(FakeServices(), PrinterOperations{});
    junk.commandLine = std::string("\xff\xfe/\0x:::: /langid:abc ////mode:", 28) + std::string(100000, '/');
    ASSERT_TRUE(junk.ParseCommandLine());
    EXPECT_EQ(junk.hasOptions, 1);   // "/langid:" had a value, which gives 0
    EXPECT_EQ(junk.optLanguage, 0);
    EXPECT_EQ(junk.optConnection, -1);
}

TEST_F(AppFixture, WithoutOptionsTheConfigurationDecides)
{
    // IP only over the network: the network check page, without a Back button.
    Configure(ConnectionNet, FeatureIp, 1);
    ASSERT_TRUE(Run(""));
    EXPECT_EQ(app.hasOptions, 0);
    EXPECT_EQ(app.connectionMode, 2);
    EXPECT_EQ(app.configureFlags, kConfigureIp);
    EXPECT_EQ(app.backButtonFlag, 0);
    EXPECT_EQ(app.checkWlan, 1);
    EXPECT_EQ(app.ComputeStartPage(), kPageConnectCom);

    // Two features besides Panel: the user chooses; Panel keeps its bit.
    CPlintorApp both(FakeServices(), PrinterOperations{});
    both.config.connectionTypes = ConnectionUsb | ConnectionNet;
    both.config.features = FeatureIp | FeatureFax | FeaturePanel;
    both.ResolveRunOptions();
    EXPECT_EQ(both.connectionMode, 0);
    EXPECT_EQ(both.configureFlags, kConfigureChoose | kConfigurePanelLanguage);
    EXPECT_EQ(both.backButtonFlag, 1);
    EXPECT_EQ(both.ComputeStartPage(), kPageWelcome);

    // One feature with Panel still counts as a single feature.
    CPlintorApp faxPanel(FakeServices(), PrinterOperations{});
    faxPanel.config.connectionTypes = ConnectionUsb;
    faxPanel.config.features = FeatureFax | FeaturePanel;
    faxPanel.ResolveRunOptions();
    EXPECT_EQ(faxPanel.connectionMode, 1);
    EXPECT_EQ(faxPanel.configureFlags, kConfigureFax | kConfigurePanelLanguage);
    EXPECT_EQ(faxPanel.backButtonFlag, 0);
}

TEST_F(AppFixture, OptionsOverrideTheConfiguration)
{
    Configure(ConnectionUsb | ConnectionNet, FeatureIp | FeatureWireless, 0);
    ASSERT_TRUE(Run("/wireless /check:wlan"));
    EXPECT_EQ(app.connectionMode, 0);
    EXPECT_EQ(app.configureFlags, kConfigureWireless);
    EXPECT_EQ(app.backButtonFlag, 1);
    EXPECT_EQ(app.checkWlan, 0);   // CHECK_WLAN off wins over /check:wlan
    EXPECT_EQ(app.ComputeStartPage(), kPageSelectMethod);

    CPlintorApp on(FakeServices(), PrinterOperations{});
    on.config = app.config;
    on.config.checkWlanDefault = 1;
    on.commandLine = "/no_backbtn /mode:network";
    ASSERT_TRUE(on.ParseCommandLine());
    on.ResolveRunOptions();
    EXPECT_EQ(on.checkWlan, 1);
    EXPECT_EQ(on.connectionMode, 2);
    EXPECT_EQ(on.backButtonFlag, 0);
    // No kind given: derived from the features, the Back button left to the option.
    EXPECT_EQ(on.configureFlags, kConfigureChoose);
}

TEST_F(AppFixture, StartPageOverUsbFollowsTheFlagsAndThePrintersFound)
{
    int found = 0;
    int faxReads = 0;
    int panelSends = 0;
    app.operations.discoverUsb = [&](RunState& a, int&) {
        a.printers.Clear();
        for (int i = 0; i < found; ++i) {
            PrinterEntry entry;
            entry.connection = kConnectionUsb;
            a.printers.Add(entry);
        }
        return found;
    };
    app.operations.readFaxSettings = [&](RunState&) {
        ++faxReads;
        return 0;
    };
    app.operations.applyPanelLanguage = [&](RunState&) {
        ++panelSends;
        return true;
    };
    app.connectionMode = 1;

    struct Case {
        std::uint32_t flags;
        int found;
        std::int32_t apUsb;
        std::int32_t variant;
        int page;
    };
    const Case cases[] = {
        {kConfigureIp, 0, 0, -1, kPageConnect},
        {kConfigureIp, 2, 0, -1, kPageDisconnect},
        {kConfigureIp, 1, 0, -1, kPageIpSetting},
        {kConfigureWireless | kConfigureIp, 1, 1, -1, kPageSelectAp},
        {kConfigureWireless, 1, 0, -1, kPageWirelessSetting},
        {kConfigureFax, 1, 0, -1, kPageFaxSetting},
        {kConfigureFax, 1, 0, 0, kPageFaxSetting},
        {kConfigureFax | kConfigurePanelLanguage, 1, 0, 1, kPageCheckFaxSetting},
        {kConfigurePanelLanguage, 0, 0, -1, kPageNone},
        {kConfigurePanelLanguage, 3, 0, -1, kPageNone},
        {0, 1, 0, -1, kPageNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << c.flags << " found " << c.found);
        app.configureFlags = c.flags;
        app.config.apUsbDiscovery = c.apUsb;
        app.faxPageVariant = c.variant;
        app.selectedPrinter = -1;
        found = c.found;
        EXPECT_EQ(app.ComputeStartPage(), c.page);
        EXPECT_EQ(app.selectedPrinter, c.found == 1 ? 0 : -1);
    }
    EXPECT_EQ(faxReads, 3);
    EXPECT_EQ(app.currentPrinter.faxReadStatus, 0);
    EXPECT_EQ(panelSends, 0);

    // Panel language alone with exactly one printer: sent at once, no wizard.
    app.configureFlags = kConfigurePanelLanguage;
    app.uiLanguage = 1031;
    found = 1;
    EXPECT_EQ(app.ComputeStartPage(), kPageNone);
    EXPECT_EQ(panelSends, 1);
    PrinterEntry chosen;
    ASSERT_TRUE(app.printers.GetPrinter(0, chosen));
    EXPECT_EQ(chosen.panelLanguage, 1031);
    EXPECT_EQ(chosen.chosen, 1u);

    app.connectionMode = 7;
    EXPECT_EQ(app.ComputeStartPage(), kPageNone);
}

TEST_F(AppFixture, PanelUsbOptionWithOnePrinterAppliesAndEndsWithoutWizard)
{
    app.services.configFilePath = [] { return std::string(PLINTOR_BIN_DIR "/plintor.ini"); };
    app.commandLine = "/panel /mode:usb";
    int sends = 0;
    bool wizard = false;
    app.operations.discoverUsb = [](RunState& a, int&) {
        a.printers.Clear();
        a.printers.Add(PrinterEntry());
        return 1;
    };
    app.operations.applyPanelLanguage = [&](RunState&) { return ++sends, true; };
    app.hooks.runWizardFrame = [&](CPlintorApp&, int) { return wizard = true; };
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(sends, 1);
    EXPECT_FALSE(wizard);
    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(AppFixture, StartUpRunsTheWizardOnTheStartPage)
{
    app.services.configFilePath = [] { return std::string(PLINTOR_BIN_DIR "/plintor.ini"); };
    app.services.uiLanguage = [](const CPlintorApp&) { return std::uint16_t{1031}; };
    app.commandLine = "/mode:network /ip";
    int startPage = -2;
    app.hooks.runWizardFrame = [&](CPlintorApp& a, int page) {
        startPage = page;
        // The lock is held while the wizard runs.
        EXPECT_FALSE(CPlintorApp::CreateInstanceLock(20, "PlintorMfp9000Utility").Held());
        EXPECT_EQ(a.currentPrinter.panelLanguage, 1031);   // German is a configured panel language
        return true;
    };
    app.InitInstance();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(startPage, kPageConnectCom);
    EXPECT_EQ(app.configureFlags, kConfigureIp);
    EXPECT_EQ(app.uiLanguage, 1031);
    // Released when start-up returns.
    EXPECT_TRUE(CPlintorApp::CreateInstanceLock(20, "PlintorMfp9000Utility").Held());
}

TEST_F(AppFixture, EachStartUpFailureShowsOneMessageAndEnds)
{
    struct Case {
        const char* name;
        int systemCode;
        bool admin;
        std::string path;
        std::string line;
        unsigned message;
    };
    const std::string sample = PLINTOR_BIN_DIR "/plintor.ini";
    const Case cases[] = {
        {"old system", 14, true, sample, "", 215},
        {"no file", 20, true, "/nonexistent/plintor.ini", "", 218},
        {"empty path", 20, true, "", "", 218},
        {"not admin", 20, false, sample, "", 214},
        {"bad arguments", 20, true, sample, "/ip /wireless", 219},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        titles.clear();
        CPlintorApp run(FakeServices(), PrinterOperations{});
        run.services.osVersionCode = [&] { return c.systemCode; };
        run.services.isAdministrator = [&] { return c.admin; };
        run.services.configFilePath = [&] { return c.path; };
        bool wizard = false;
        run.hooks.runWizardFrame = [&](CPlintorApp&, int) { return wizard = true; };
        run.commandLine = c.line;
        EXPECT_FALSE(run.InitInstance());
        EXPECT_EQ(messages, std::vector<unsigned>{c.message});
        EXPECT_EQ(titles, std::vector<unsigned>{212});
        EXPECT_EQ(run.startUpMessage, c.message);
        EXPECT_FALSE(wizard);
        EXPECT_NE(run.ExitInstance(), 0);
        EXPECT_TRUE(CPlintorApp::CreateInstanceLock(20, "PlintorMfp9000Utility").Held());
    }
}

TEST_F(AppFixture, ExitInstanceRestoresAndEmptiesThePrinterList)
{
    std::vector<std::string> restored;
    app.printersToRestore = {"queue-a", "queue-b"};
    app.hooks.restorePrinters = [&](CPlintorApp& a) { restored = a.printersToRestore; };
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(restored, (std::vector<std::string>{"queue-a", "queue-b"}));
    EXPECT_TRUE(app.printersToRestore.empty());
}

TEST(CPlintorApp, MembersStartAsDocumented)
{
    CPlintorApp app;
    EXPECT_EQ(app.optConnection, -1);
    EXPECT_EQ(app.optBackButton, 1);
    EXPECT_EQ(app.faxPageVariant, -1);
    EXPECT_EQ(app.connectionMode, -1);
    EXPECT_EQ(app.backButtonFlag, 1);
    EXPECT_EQ(app.selectedPrinter, -1);
    EXPECT_EQ(app.uiLanguage, 1033);
    EXPECT_EQ(app.currentPrinter.panelLanguage, 1033);
    EXPECT_EQ(app.currentPrinter.faxReadStatus, 1);
    EXPECT_EQ(CPlintorApp::InstanceLockName(20, "M"), "Global\\M");
    EXPECT_EQ(CPlintorApp::InstanceLockName(12, "M"), "M");
}

}
}
