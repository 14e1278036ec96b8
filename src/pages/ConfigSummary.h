#pragma once

#include "core/DeviceSettings.h"
#include "core/LangId.h"

#include <cstdint>
#include <string>

namespace plintor {

// The plain-text summary that the confirmation page shows before anything is sent: one
// section per configured kind (wireless, then IP, then FAX), lines ended by "\r\n", every
// label and value text loaded in `language`. A label line is the label immediately
// followed by its value. Keys and passphrases never appear, only a row of asterisks.
std::string BuildConfigSummary(const DeviceSettings& settings, std::uint32_t configureFlags, LangId language);

// The IPv4 address as "a.b.c.d", first octet from the most significant byte.
std::string FormatDottedAddress(std::uint32_t address);

}
