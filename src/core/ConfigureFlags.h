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

// faxPageVariant: which FAX page a run shows (the "/run:" option) and, with it, which
// FAX values are read from the printer.
enum FaxPageVariant : std::int32_t {
    kFaxPageNotGiven = -1,  // no "/run:": as "top"
    kFaxPageTop = 0,        // "top": the FAX page proper
    kFaxPageFlow = 1,       // "flow": the page with the "I don't use FAX" box
};

}
