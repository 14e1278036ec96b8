#pragma once

#include "channel/DeviceChannel.h"
#include "core/FaxSettings.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace plintor {

struct SettingsContext;
struct UtilityConfig;

// Judges the answers of a FAX read into `record`: values outside the tables or not
// offered by the configuration never reach it; a request without answer lines leaves
// its field alone, except the country, which then falls back to the workstation's nation
// (`userNation`, -1 when unknown) if the configuration offers it.
void ApplyFaxAnswers(const std::vector<PjlRequest>& requests, FaxSettings& record, const UtilityConfig& config,
                     const std::function<std::int64_t()>& userNation);

// Reads the FAX settings of the chosen printers with one batch of inquiries, starting from
// the configuration's FAX defaults, and stores the result into the selected printer's
// entry. `status` (also the result) is 1 when the last printer asked answered, else 0; a
// chosen entry with an unknown connection kind ends the read with 0 and stores nothing.
int ReadFaxSettings(const SettingsContext& context, int& status);

}
