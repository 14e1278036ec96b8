#include "settings/SettingsJob.h"

#include "config/GeneralSettings.h"
#include "config/PanelLanguageTable.h"
#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"
#include "settings/FaxCommands.h"
#include "settings/IpCommands.h"
#include "settings/SettingsContext.h"
#include "settings/WirelessCommands.h"

namespace plintor {

namespace {

constexpr const char* kBracketEntry = "@PJL IWANVMSETTINGS FUNCTION=ENTRY\r\n";
constexpr const char* kBracketExit = "@PJL IWANVMSETTINGS FUNCTION=EXIT\r\n";
constexpr const char* kReboot = "@PJL REBOOT\r\n";
constexpr const char* kPanelReport = "@PJL REPORTPRINT PANELSETTINGS\r\n";
constexpr const char* kPrinterReport = "@PJL REPORTPRINT PRINTERSETTINGS\r\n";

const UtilityConfig& ConfigOf(const SettingsContext& context)
{
    static const UtilityConfig empty;
    return context.config != nullptr ? *context.config : empty;
}

}

bool BuildSettingsJob(std::string* job, PrinterEntry entry, const SettingsContext& context)
{
    bool bracket = IsEntryCommandNeeded(context.configFilePath);
    if (job == nullptr)
        return false;
    job->clear();
    std::uint32_t flags = context.configureFlags;
    if (bracket)
        *job += kBracketEntry;
    if ((flags & kConfigureWireless) && !AppendWirelessCommands(job, entry.wireless, entry.ip))
        return false;
    if ((flags & kConfigureIp) && !AppendIpCommands(entry.ip, job, entry.options))
        return false;
    if ((flags & kConfigureFax) && !AppendFaxCommands(entry.fax, job, ConfigOf(context)))
        return false;
    if ((flags & kConfigurePanelLanguage) && !AppendPanelLanguageCommand(entry.panelLanguage, job))
        return false;
    if (bracket)
        *job += kBracketExit;
    *job += kReboot;
    return true;
}

bool AppendPanelLanguageCommand(std::uint16_t langId, std::string* job)
{
    if (job == nullptr)
        return false;
    const PanelLanguageRow* row = FindPanelLanguage(langId);
    if (row == nullptr)
        return false;
    *job += "@PJL DEFAULT LANG=";
    *job += row->pjlName;
    *job += "\r\n";
    return true;
}

bool BuildReportJob(PrinterEntry entry, std::string* job, const SettingsContext& context)
{
    if (job == nullptr)
        return false;
    job->clear();
    std::uint32_t flags = context.configureFlags;
    if ((flags & kConfigureFax) && entry.fax.faxEnabled == 1)
        *job += kPanelReport;
    if (flags & (kConfigureIp | kConfigureWireless))
        *job += kPrinterReport;
    return true;
}

}
