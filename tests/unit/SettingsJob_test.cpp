#include "settings/SettingsJob.h"

#include "config/ConfigReader.h"
#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"
#include "core/PrinterList.h"
#include "platform/PathNames.h"
#include "settings/ApplySettings.h"
#include "settings/SettingsContext.h"
#include "ui/MessageBox.h"
#include "wizard/RunContexts.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace plintor {
namespace {

class SettingsJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temp.Path();
        ASSERT_FALSE(folder.empty());
        config.faxCountries = {244};
        config.faxLineTypes = {1, 2};
        config.faxDialTypes = {1};
        config.faxReceiveModes = {2, 5};
        config.faxDrpdPatterns = {4};
        config.faxDefaults.drpdPattern = 4;
        context.config = &config;
        context.configFilePath = folder + "/plintor.ini";
    }

    void WriteBracketKey(const char* value)
    {
        std::ofstream file(context.configFilePath);
        file << "[General Setting]\n";
        if (value != nullptr)
            file << "NECCESITY_OF_ENTRY_COMMAND=" << value << "\n";
    }

    std::string Build(const PrinterEntry& entry)
    {
        std::string job = "stale";
        return BuildSettingsJob(&job, entry, context) ? job : "no job";
    }

    test::CTempFolder temp{"plintor-job"};
    std::string folder;
    UtilityConfig config;
    SettingsContext context;
};

constexpr const char* kWiredDhcpLines =
    "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n"
    "@PJL IWASETTCPIP IPMODE=DHCP\r\n";

PrinterEntry WiredDhcp()
{
    PrinterEntry entry;
    entry.options = 0;
    entry.ip.stackMode = 1;
    return entry;
}

TEST_F(SettingsJob, BracketFollowsTheConfigurationKey)
{
    context.configureFlags = kConfigureIp;
    WriteBracketKey("1");
    EXPECT_EQ(Build(WiredDhcp()), std::string("@PJL IWANVMSETTINGS FUNCTION=ENTRY\r\n") + kWiredDhcpLines +
                                      "@PJL IWANVMSETTINGS FUNCTION=EXIT\r\n@PJL REBOOT\r\n");
    WriteBracketKey(nullptr);
    EXPECT_EQ(Build(WiredDhcp()), std::string(kWiredDhcpLines) + "@PJL REBOOT\r\n");
    WriteBracketKey("0");
    EXPECT_EQ(Build(WiredDhcp()), std::string(kWiredDhcpLines) + "@PJL REBOOT\r\n");
    WriteBracketKey("yes");
    EXPECT_EQ(Build(WiredDhcp()), std::string(kWiredDhcpLines) + "@PJL REBOOT\r\n");
    std::filesystem::remove(context.configFilePath);
    EXPECT_EQ(Build(WiredDhcp()), std::string(kWiredDhcpLines) + "@PJL REBOOT\r\n");
}

TEST_F(SettingsJob, OptionsSelectTheWirelessFormOfTheIpLines)
{
    context.configureFlags = kConfigureIp;
    PrinterEntry entry = WiredDhcp();
    entry.options = 1;
    EXPECT_EQ(Build(entry), "@PJL SETWLPARAMS VSSTACKMODE=IPV4\r\n@PJL SETWLPARAMS IPMODE=DHCP\r\n@PJL REBOOT\r\n");
    entry.options = -1;
    EXPECT_EQ(Build(entry), std::string(kWiredDhcpLines) + "@PJL REBOOT\r\n");
}

TEST_F(SettingsJob, GroupsInTheirFixedOrder)
{
    WriteBracketKey("1");
    context.configureFlags = kConfigureWireless | kConfigureIp | kConfigureFax | kConfigurePanelLanguage;
    PrinterEntry entry = WiredDhcp();
    entry.wireless.ssid = "office";
    entry.fax.country = 244;
    entry.panelLanguage = 1036;
    std::string job = Build(entry);
    std::size_t bracket = job.find("FUNCTION=ENTRY");
    std::size_t wireless = job.find("IWAWIRELESS=ON");
    std::size_t ip = job.find("IWASETTCPIP VSSTACKMODE");
    std::size_t fax = job.find("IWAFAXFUNCSAVE");
    std::size_t language = job.find("@PJL DEFAULT LANG=FRENCH\r\n");
    std::size_t close = job.find("FUNCTION=EXIT");
    ASSERT_NE(language, std::string::npos);
    EXPECT_TRUE(bracket < wireless && wireless < ip && ip < fax && fax < language && language < close);
    EXPECT_TRUE(job.ends_with("@PJL IWANVMSETTINGS FUNCTION=EXIT\r\n@PJL REBOOT\r\n"));
}

TEST_F(SettingsJob, LanguageOnlyJobs)
{
    context.configureFlags = kConfigurePanelLanguage;
    PrinterEntry entry;
    entry.panelLanguage = 1036;
    EXPECT_EQ(Build(entry), "@PJL DEFAULT LANG=FRENCH\r\n@PJL REBOOT\r\n");
    entry.panelLanguage = 1050;
    EXPECT_EQ(Build(entry), "no job");
    std::string job = "A\r\n";
    EXPECT_TRUE(AppendPanelLanguageCommand(0x0404, &job));
    EXPECT_EQ(job, "A\r\n@PJL DEFAULT LANG=TRADITIONALCHINESE\r\n");
    EXPECT_FALSE(AppendPanelLanguageCommand(1050, &job));
    EXPECT_EQ(job, "A\r\n@PJL DEFAULT LANG=TRADITIONALCHINESE\r\n");
    EXPECT_FALSE(AppendPanelLanguageCommand(1033, nullptr));
}

TEST_F(SettingsJob, FailingGroupsRefuseTheJob)
{
    PrinterEntry entry = WiredDhcp();
    entry.ip.stackMode = 3;
    context.configureFlags = kConfigureIp;
    EXPECT_EQ(Build(entry), "no job");
    entry = WiredDhcp();
    entry.wireless.security = 1;
    entry.wireless.wepKey = "123456";
    context.configureFlags = kConfigureWireless;
    EXPECT_EQ(Build(entry), "no job");
    EXPECT_FALSE(BuildSettingsJob(nullptr, entry, context));
}

TEST_F(SettingsJob, DeclinedFaxAndEmptyFlags)
{
    WriteBracketKey("1");
    context.configureFlags = kConfigureFax;
    PrinterEntry entry;
    entry.fax.faxEnabled = 0;
    EXPECT_EQ(Build(entry), "@PJL IWANVMSETTINGS FUNCTION=ENTRY\r\n@PJL IWANVMSETTINGS FUNCTION=EXIT\r\n@PJL REBOOT\r\n");
    std::string report = "stale";
    ASSERT_TRUE(BuildReportJob(entry, &report, context));
    EXPECT_EQ(report, "");
    context.configureFlags = 0;
    EXPECT_EQ(Build(entry), "@PJL IWANVMSETTINGS FUNCTION=ENTRY\r\n@PJL IWANVMSETTINGS FUNCTION=EXIT\r\n@PJL REBOOT\r\n");
}

TEST_F(SettingsJob, ReportJobs)
{
    PrinterEntry entry;
    std::string report;
    context.configureFlags = kConfigureIp | kConfigureFax;
    ASSERT_TRUE(BuildReportJob(entry, &report, context));
    EXPECT_EQ(report, "@PJL REPORTPRINT PANELSETTINGS\r\n@PJL REPORTPRINT PRINTERSETTINGS\r\n");
    context.configureFlags = kConfigureWireless;
    ASSERT_TRUE(BuildReportJob(entry, &report, context));
    EXPECT_EQ(report, "@PJL REPORTPRINT PRINTERSETTINGS\r\n");
    context.configureFlags = kConfigureFax;
    ASSERT_TRUE(BuildReportJob(entry, &report, context));
    EXPECT_EQ(report, "@PJL REPORTPRINT PANELSETTINGS\r\n");
    EXPECT_FALSE(BuildReportJob(entry, nullptr, context));
}

TEST_F(SettingsJob, FileModeFilePathAndBytes)
{
    EXPECT_EQ(JobFilePathFor("/opt/plintor/plintor.exe"), "/opt/plintor/plintor.prn");
    EXPECT_EQ(JobFilePathFor("/opt/plintor/plintor"), "/opt/plintor/plintor.prn");
    EXPECT_EQ(JobFilePathFor("/opt/my.tools/plintor"), "/opt/my.tools/plintor.prn");
    EXPECT_EQ(JobFilePathFor("/opt/tools/.plintor"), "/opt/tools/.plintor.prn");
    EXPECT_EQ(JobFilePathFor(""), "");

    std::string program = folder + "/plintor";
    ASSERT_TRUE(SaveJobToFile("@PJL DEFAULT LANG=FRENCH\r\n", program));
    std::ifstream file(folder + "/plintor.prn", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string text = "\x1b%-12345X@PJL DEFAULT LANG=FRENCH\r\n\x1b%-12345X";
    std::string expected;
    for (char c : text) {
        expected.push_back(c);
        expected.push_back('\0');
    }
    EXPECT_EQ(bytes, expected);

    // A job without a final line end gets one "\n"; characters beyond Latin-1 are written as
    // their UTF-16 units.
    ASSERT_TRUE(SaveJobToFile("\xe2\x82\xac", program));
    std::ifstream again(folder + "/plintor.prn", std::ios::binary);
    bytes.assign((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), (9 + 1 + 1 + 9) * 2u);
    EXPECT_EQ(bytes.substr(18, 6), std::string("\xac\x20\n\0\x1b\0", 6));

    EXPECT_FALSE(SaveJobToFile("x", folder + "/missing/plintor"));
}

TEST_F(SettingsJob, WalksWithoutChosenPrintersSendNothingAndSucceed)
{
    PrinterList printers;
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.addressIpv4 = "127.0.0.1";
    printers.Add(entry);
    printers.Add(entry);
    context.printers = &printers;
    context.configureFlags = kConfigureIp;
    ApplyReport report;
    report.sent = {7};
    EXPECT_TRUE(ApplySettings(context, &report));
    EXPECT_TRUE(report.sent.empty() && report.unbuilt.empty());
    EXPECT_EQ(report.failed, -1);
    EXPECT_TRUE(ApplyPanelLanguage(context, &report));
    EXPECT_TRUE(PrintSettingsReport(context, &report));
    context.printers = nullptr;
    EXPECT_TRUE(ApplySettings(context, &report));
}

TEST_F(SettingsJob, UnknownConnectionKindFailsTheWalk)
{
    PrinterList printers;
    PrinterEntry entry;
    entry.chosen = 1;
    entry.connection = 5;
    printers.Add(entry);
    context.printers = &printers;
    ApplyReport report;
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.failed, 0);
    EXPECT_TRUE(report.sent.empty());
}

TEST_F(SettingsJob, FileModeSaveThatFailsIsNotASuccess)
{
    PrinterList printers;
    PrinterEntry entry;
    entry.chosen = 1;
    entry.connection = 5;  // never contacted in file mode
    printers.Add(entry);
    context.printers = &printers;
    context.fileMode = 1;
    context.confirmFileJob = FileJobQuestion(LANG_ENGLISH_US);
    context.programPath = folder + "/missing/plintor";
    context.currentFolder = folder + "/missing-too";
    SetMessageBoxHandler([](const MessageBoxRequest&) { return static_cast<int>(IDYES); });
    EXPECT_FALSE(ApplySettings(context));
    SetMessageBoxHandler([](const MessageBoxRequest&) { return static_cast<int>(IDNO); });
    EXPECT_TRUE(ApplySettings(context));
    SetMessageBoxHandler({});
}

TEST_F(SettingsJob, FileModeOfAnInstalledProgramWritesIntoTheCurrentFolderNotBesideTheProgram)
{
    PrinterList printers;
    PrinterEntry entry;
    entry.chosen = 1;
    entry.connection = kConnectionNetwork;
    printers.Add(entry);
    context.printers = &printers;
    context.fileMode = 1;
    context.confirmFileJob = FileJobQuestion(LANG_ENGLISH_US);
    std::filesystem::create_directories(folder + "/bin");
    std::filesystem::create_directories(folder + "/work");
    context.programPath = folder + "/bin/plintor";
    context.currentFolder = folder + "/work";
    std::vector<std::string> told;
    context.jobSaved = [&told](const std::string& path) { told.push_back(path); };
    SetMessageBoxHandler([](const MessageBoxRequest&) { return static_cast<int>(IDYES); });

    // A copy run from its folder, with its own configuration, writes beside itself.
    EXPECT_EQ(JobFilePath(context), folder + "/bin/plintor.prn");
    // The installed program reads the system's configuration: its folder is the system's
    // folder of programs, so the job goes to the current folder, and the caller hears where.
    // The file's name is joined to the current folder with the system's own separator.
    const std::string inCurrentFolder = folder + "/work" + platform::kPathSeparator + "plintor.prn";
    context.configFilePath = SystemConfigFile();
    ASSERT_TRUE(ApplySettings(context));
    EXPECT_EQ(told, (std::vector<std::string>{inCurrentFolder}));
    EXPECT_TRUE(std::filesystem::exists(folder + "/work/plintor.prn"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/bin/plintor.prn"));

    // A program folder that cannot be written sends the job to the current folder too.
    context.configFilePath = folder + "/gone/plintor.ini";
    context.programPath = folder + "/gone/plintor";
    EXPECT_EQ(JobFilePath(context), inCurrentFolder);
    SetMessageBoxHandler({});
}

}
}
