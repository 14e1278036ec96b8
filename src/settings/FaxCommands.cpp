#include "settings/FaxCommands.h"

#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"

#include <array>

namespace plintor {

namespace {

struct ReadCommand {
    FaxReadItem item;
    const char* command;
};

constexpr std::array<ReadCommand, 8> readCommands = {{
    {FaxReadItem::FaxFunction, "@PJL DINQUIRE IWAFAXFUNC\r\n"},
    {FaxReadItem::Country, "@PJL DINQUIRE FAX_SET_COUNTRY\r\n"},
    {FaxReadItem::LineType, "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n"},
    {FaxReadItem::DialType, "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n"},
    {FaxReadItem::ReceiveMode, "@PJL DINQUIRE FAX_SET_RCV_MODE\r\n"},
    {FaxReadItem::RingPattern, "@PJL DINQUIRE FAX_SET_DRPD\r\n"},
    {FaxReadItem::CompanyName, "@PJL DINQUIRE FAX_SET_SD_HEAD_NAME\r\n"},
    {FaxReadItem::FaxNumber, "@PJL DINQUIRE FAX_SET_G3ID\r\n"},
}};

constexpr std::uint32_t kDrpdReceiveMode = 5;

bool AppendCoded(std::string& lines, const char* format, std::span<const FaxCodeRow> table, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= table.size())
        return false;
    lines += format;
    lines += table[static_cast<std::size_t>(row)].keyword;
    lines += "\r\n";
    return true;
}

}

std::vector<std::string> FaxReadCommands(std::int32_t faxPageVariant)
{
    std::vector<std::string> commands;
    std::size_t first;
    if (faxPageVariant == kFaxPageFlow)
        first = 0;
    else if (faxPageVariant == kFaxPageTop || faxPageVariant == kFaxPageNotGiven)
        first = 1;
    else
        return commands;
    for (std::size_t i = first; i < readCommands.size(); ++i)
        commands.push_back(readCommands[i].command);
    return commands;
}

void BuildFaxReadJob(std::string* job, std::vector<PjlRequest>& requests, std::int32_t faxPageVariant)
{
    if (job == nullptr)
        return;
    for (const std::string& command : FaxReadCommands(faxPageVariant)) {
        *job += command;
        requests.push_back(PjlRequest{command, {}});
    }
}

bool FaxReadItemOfCommand(const std::string& command, FaxReadItem& item)
{
    for (const ReadCommand& read : readCommands) {
        if (command == read.command) {
            item = read.item;
            return true;
        }
    }
    return false;
}

bool AppendFaxCommands(FaxSettings fax, std::string* job, const UtilityConfig& config)
{
    if (job == nullptr)
        return false;
    if (fax.faxEnabled == 0)
        return true;
    std::uint32_t pattern = fax.receiveMode == kDrpdReceiveMode ? fax.drpdPattern : config.faxDefaults.drpdPattern;
    // Every code comes from the tables; one that has no row cannot be named to the printer,
    // and the FAX part is refused whole rather than sent with a line missing.
    std::string lines = "@PJL DEFAULT IWAFAXFUNCSAVE=ON\r\n";
    bool named = AppendCoded(lines, "@PJL DEFAULT FAX_SET_COUNTRY_SAVE=", FaxCountryTable(),
                             CountryRowOfCode(fax.country)) &&
                 AppendCoded(lines, "@PJL DEFAULT FAX_SET_LINE_TYPE_SAVE=", FaxCodeTable(FaxTableKind::LineType),
                             FaxRowOfCode(FaxTableKind::LineType, fax.lineType)) &&
                 AppendCoded(lines, "@PJL DEFAULT FAX_SET_DIAL_TYPE_SAVE=", FaxCodeTable(FaxTableKind::DialType),
                             FaxRowOfCode(FaxTableKind::DialType, fax.dialType)) &&
                 AppendCoded(lines, "@PJL DEFAULT FAX_SET_RCV_MODE_SAVE=", FaxCodeTable(FaxTableKind::ReceiveMode),
                             FaxRowOfCode(FaxTableKind::ReceiveMode, fax.receiveMode)) &&
                 AppendCoded(lines, "@PJL DEFAULT FAX_SET_DRPD_SAVE=", FaxCodeTable(FaxTableKind::RingPattern),
                             FaxRowOfCode(FaxTableKind::RingPattern, pattern));
    if (!named)
        return false;
    lines += "@PJL DEFAULT FAX_SET_SD_HEAD_NAME_SAVE=\"" + fax.companyName + "\"\r\n";
    lines += "@PJL DEFAULT FAX_SET_G3ID_SAVE=\"" + fax.faxNumber + "\"\r\n";
    lines += "@PJL NVMINIT FAXSAVE\r\n";
    *job += lines;
    return true;
}

bool IsCountryAllowed(const UtilityConfig& config, std::int64_t code)
{
    return config.OffersFaxCountry(code);
}

bool IsFaxValueAllowed(const UtilityConfig& config, FaxTableKind kind, std::int64_t code)
{
    return config.OffersFaxCode(kind, code);
}

}
