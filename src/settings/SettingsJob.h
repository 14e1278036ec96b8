#pragma once

#include "core/PrinterEntry.h"

#include <cstdint>
#include <string>

namespace plintor {

struct SettingsContext;

// Builds the one job that carries all new settings to a printer, in the fixed order:
// entry bracket (when the configuration asks for it), wireless, IP, FAX, panel language,
// closing bracket, "@PJL REBOOT". Only the groups whose configureFlags bit is set take
// part. False when `job` is absent or a group cannot be built; the text is then not a job.
bool BuildSettingsJob(std::string* job, PrinterEntry entry, const SettingsContext& context);

// Appends "@PJL DEFAULT LANG=..." with the panel language table's name for `langId`;
// false (nothing appended) when `job` is absent or the table has no such language.
bool AppendPanelLanguageCommand(std::uint16_t langId, std::string* job);

// Builds the report job: the panel settings report when FAX is configured and enabled,
// then the printer settings report when IP or wireless is configured. It may be empty.
bool BuildReportJob(PrinterEntry entry, std::string* job, const SettingsContext& context);

}
