#pragma once

#include "core/FaxSettings.h"
#include "core/IpSettings.h"
#include "core/LangId.h"
#include "core/WirelessSettings.h"

#include <cstdint>

namespace plintor {

// Operation-panel language of a new record: English (0x0409).
inline constexpr std::uint16_t kDefaultPanelLanguage = LANG_ENGLISH_US;

// Everything the wizard can read from a printer, let the user edit and send back.
// Every PrinterEntry ends with these four members.
struct DeviceSettings {
    WirelessSettings wireless;
    IpSettings ip;
    FaxSettings fax;
    std::uint16_t panelLanguage = kDefaultPanelLanguage;

    bool operator==(const DeviceSettings&) const = default;
};

}
