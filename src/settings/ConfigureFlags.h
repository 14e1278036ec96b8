#pragma once

#include <cstdint>

namespace plintor {

// Bits of configureFlags: what one run of the wizard configures.
enum ConfigureFlag : std::uint32_t {
    kConfigureChoose = 0x01,    // the user chooses the kind on the welcome page
    kConfigureIp = 0x02,
    kConfigureWireless = 0x04,
    kConfigureFax = 0x08,
    kConfigurePanelLanguage = 0x10,
};

}
