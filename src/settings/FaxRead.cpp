#include "settings/FaxRead.h"

#include "config/TextCompare.h"
#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "settings/FaxCommands.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"
#include "settings/UserNation.h"

namespace plintor {

namespace {

void StoreCode(const UtilityConfig& config, FaxTableKind kind, const std::string& value, std::uint32_t& field)
{
    for (const FaxCodeRow& row : FaxCodeTable(kind)) {
        if (EqualsNoCase(row.keyword, value)) {
            if (IsFaxValueAllowed(config, kind, row.code))
                field = row.code;
            return;
        }
    }
}

void StoreCountry(const UtilityConfig& config, const std::string& value,
                  const std::function<std::int64_t()>& userNation, std::uint32_t& country)
{
    std::int64_t code = CountryCodeOfKeyword(value);
    if (IsCountryAllowed(config, code)) {
        country = static_cast<std::uint32_t>(code);
        return;
    }
    std::int64_t nation = userNation ? userNation() : UserGeoNation();
    if (nation != -1 && IsCountryAllowed(config, nation))
        country = static_cast<std::uint32_t>(nation);
}

}

void ApplyFaxAnswers(const std::vector<PjlRequest>& requests, FaxSettings& record, const UtilityConfig& config,
                     const std::function<std::int64_t()>& userNation)
{
    for (const PjlRequest& request : requests) {
        FaxReadItem item;
        if (!FaxReadItemOfCommand(request.command, item))
            continue;
        if (request.lines.empty()) {
            if (item == FaxReadItem::Country)
                StoreCountry(config, {}, userNation, record.country);
            continue;
        }
        const std::string& value = request.lines.front();
        switch (item) {
        case FaxReadItem::FaxFunction:
            if (EqualsNoCase(value, "ON"))
                record.faxEnabled = 1;
            else if (EqualsNoCase(value, "OFF"))
                record.faxEnabled = 0;
            break;
        case FaxReadItem::Country:
            StoreCountry(config, value, userNation, record.country);
            break;
        case FaxReadItem::LineType:
            StoreCode(config, FaxTableKind::LineType, value, record.lineType);
            break;
        case FaxReadItem::DialType:
            StoreCode(config, FaxTableKind::DialType, value, record.dialType);
            break;
        case FaxReadItem::ReceiveMode:
            StoreCode(config, FaxTableKind::ReceiveMode, value, record.receiveMode);
            break;
        case FaxReadItem::RingPattern:
            StoreCode(config, FaxTableKind::RingPattern, value, record.drpdPattern);
            break;
        case FaxReadItem::CompanyName:
            record.companyName = value;
            break;
        case FaxReadItem::FaxNumber:
            record.faxNumber = value;
            break;
        }
    }
}

int ReadFaxSettings(const SettingsContext& context, int& status)
{
    static const UtilityConfig emptyConfig;
    const UtilityConfig& config = context.config != nullptr ? *context.config : emptyConfig;
    FaxSettings record = config.faxDefaults;
    record.faxEnabled = 1;

    std::string job;
    std::vector<PjlRequest> requests;
    BuildFaxReadJob(&job, requests, context.faxPageVariant);
    status = 1;

    if (context.printers != nullptr) {
        CPrinterChannel channel;
        ConfigureChannel(channel, context);
        for (const PrinterEntry& entry : context.printers->Entries()) {
            if (entry.chosen == 0)
                continue;
            if (!CPrinterChannel::Reaches(entry)) {
                status = 0;
                return status;
            }
            status = channel.QueryBatch(entry, job, requests) ? 1 : 0;
        }
    }

    ApplyFaxAnswers(requests, record, config, context.userNation);

    if (context.printers != nullptr && context.selectedPrinter != nullptr) {
        PrinterEntry selected;
        if (context.printers->GetPrinter(*context.selectedPrinter, selected)) {
            selected.fax = record;
            context.printers->ReplacePrinter(*context.selectedPrinter, selected);
        }
    }
    return status;
}

}
