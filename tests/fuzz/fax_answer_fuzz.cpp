// libFuzzer target for the answer to the FAX inquiry: whatever the printer answers, the
// batch read gives each inquiry the lines of its block, and the FAX record then holds only
// values that the tables and the configuration offer (or the defaults), with the company
// name and number as the printer sent them, as valid UTF-8.
//
// Input: three shape bytes (chunk size, character set, reply cap), the page variant byte,
// the workstation nation byte, then the answer bytes.
#include "FuzzSupport.h"

#include "config/FaxTables.h"
#include "settings/FaxCommands.h"
#include "settings/FaxRead.h"

#include <algorithm>
#include <cctype>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

bool SameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The code a coded field must hold after an answer `value`: the row's code when the table
// has the keyword and the configuration offers it, else what it held.
std::uint32_t ExpectedCode(const UtilityConfig& config, FaxTableKind kind, const std::string& value,
                           std::uint32_t before)
{
    for (const FaxCodeRow& row : FaxCodeTable(kind)) {
        if (SameNoCase(row.keyword, value))
            return config.OffersFaxCode(kind, row.code) ? row.code : before;
    }
    return before;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    ReadShape shape = TakeReadShape(input);
    std::int32_t variant = static_cast<std::int32_t>(input.Byte() % 4) - 1;   // -1, 0, 1, 2
    std::uint8_t nationByte = input.Byte();
    auto countries = FaxCountryTable();
    std::int64_t nation = nationByte < countries.size() ? countries[nationByte].code : -1;

    std::string job;
    std::vector<PjlRequest> requests;
    BuildFaxReadJob(&job, requests, variant);
    PjlExchange exchange;
    exchange.command = job;
    CheckedBatchRead(input.Rest(), shape, exchange, requests);

    const UtilityConfig& config = SampleConfiguration();
    FaxSettings before = config.faxDefaults;
    before.faxEnabled = 1;
    FaxSettings record = before;
    ApplyFaxAnswers(requests, record, config, [nation] { return nation; });

    Check(record.faxEnabled <= 1, "the FAX function is on or off");
    FaxSettings expected = before;
    for (const PjlRequest& request : requests) {
        FaxReadItem item;
        Check(FaxReadItemOfCommand(request.command, item), "every inquiry of the job names its item");
        const std::string* value = request.lines.empty() ? nullptr : &request.lines.front();
        switch (item) {
        case FaxReadItem::FaxFunction:
            if (value && SameNoCase(*value, "ON"))
                expected.faxEnabled = 1;
            else if (value && SameNoCase(*value, "OFF"))
                expected.faxEnabled = 0;
            break;
        case FaxReadItem::Country: {
            std::int64_t code = value ? CountryCodeOfKeyword(*value) : -1;
            if (config.OffersFaxCountry(code))
                expected.country = static_cast<std::uint32_t>(code);
            else if (nation != -1 && config.OffersFaxCountry(nation))
                expected.country = static_cast<std::uint32_t>(nation);
            break;
        }
        case FaxReadItem::LineType:
            if (value)
                expected.lineType = ExpectedCode(config, FaxTableKind::LineType, *value, expected.lineType);
            break;
        case FaxReadItem::DialType:
            if (value)
                expected.dialType = ExpectedCode(config, FaxTableKind::DialType, *value, expected.dialType);
            break;
        case FaxReadItem::ReceiveMode:
            if (value)
                expected.receiveMode = ExpectedCode(config, FaxTableKind::ReceiveMode, *value, expected.receiveMode);
            break;
        case FaxReadItem::RingPattern:
            if (value)
                expected.drpdPattern = ExpectedCode(config, FaxTableKind::RingPattern, *value, expected.drpdPattern);
            break;
        case FaxReadItem::CompanyName:
            if (value)
                expected.companyName = *value;
            break;
        case FaxReadItem::FaxNumber:
            if (value)
                expected.faxNumber = *value;
            break;
        }
    }
    Check(record == expected, "the FAX record takes exactly the offered values of the answer");
    Check(config.OffersFaxCountry(record.country) || record.country == before.country,
          "the country is one the configuration offers, or the default");
    Check(IsValidUtf8(record.companyName) && IsValidUtf8(record.faxNumber), "the FAX texts are valid UTF-8");
    return 0;
}
