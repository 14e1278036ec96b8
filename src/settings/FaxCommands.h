#pragma once

#include "channel/DeviceChannel.h"
#include "config/FaxTables.h"
#include "core/FaxSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

struct UtilityConfig;

// Kinds of request of the FAX read, in job order.
enum class FaxReadItem {
    FaxFunction,  // only in the long job
    Country,
    LineType,
    DialType,
    ReceiveMode,
    RingPattern,
    CompanyName,
    FaxNumber,
};

// The read commands for `faxPageVariant` (1: the long job of eight, 0 or -1: the short
// job of seven without the FAX function). Any other variant reads nothing.
std::vector<std::string> FaxReadCommands(std::int32_t faxPageVariant);

// Appends the read commands to `job` and one request per command to `requests`, in the
// same order. Does nothing when `job` is absent.
void BuildFaxReadJob(std::string* job, std::vector<PjlRequest>& requests, std::int32_t faxPageVariant);

// The item a read command asks for; false for a command that is not a FAX read command.
bool FaxReadItemOfCommand(const std::string& command, FaxReadItem& item);

// Appends the nine save lines when faxEnabled is 1 (nothing when it is 0). The ring
// pattern line carries the record's pattern only in DRPD receive mode, else the
// configuration's default pattern. False when `job` is absent, or when a code has no row
// in its table (nothing is appended then).
bool AppendFaxCommands(FaxSettings fax, std::string* job, const UtilityConfig& config);

// Whether the configuration offers the country, or the code of the given FAX table.
bool IsCountryAllowed(const UtilityConfig& config, std::int64_t code);
bool IsFaxValueAllowed(const UtilityConfig& config, FaxTableKind kind, std::int64_t code);

}
