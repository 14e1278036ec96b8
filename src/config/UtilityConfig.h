#pragma once

#include "config/FaxTables.h"
#include "config/FeatureNameTable.h"
#include "core/FaxSettings.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

// The connection types a model family supports, as bits of `UtilityConfig::connectionTypes`.
enum ConnectionType : std::uint32_t {
    ConnectionUsb = 1u << 0,
    ConnectionNet = 1u << 1,
};

// The configuration file beside the program, as start-up read it (config/LoadConfiguration.h).
// Empty until start-up loads it once; read-only afterwards, so worker threads may read it.
struct UtilityConfig {
    // "Net Prn Search": sysObjectID values of the supported network models.
    std::vector<std::string> sysObjectIds;
    // "USB Prn Search": location texts matched (without regard to case) on older systems.
    std::vector<std::string> usbLocationInfos;
    // "USB Prn Search": texts matched (without regard to case) with the "@PJL INFO ID" answer.
    std::vector<std::string> usbIds;
    // "General Setting" SUPPORT_FEATURE: `Feature` bits.
    std::uint32_t features = 0;
    // Interface languages offered that the program has its wizard frame in.
    std::vector<std::uint16_t> utilityLanguages;
    // Operation-panel languages offered that the panel language table knows.
    std::vector<std::uint16_t> panelLanguages;
    // FAX choices offered, in file order; each a code of the FAX tables.
    std::vector<std::int32_t> faxCountries;
    std::vector<std::int32_t> faxLineTypes;
    std::vector<std::int32_t> faxDialTypes;
    std::vector<std::int32_t> faxReceiveModes;
    std::vector<std::int32_t> faxDrpdPatterns;
    // "Wireless Setting" CHECK_WLAN: 1 when discovery checks for a wireless adapter.
    std::int32_t checkWlanDefault = 0;
    // "Wireless Setting" AP_USB_DISCOVERY: 1 when a wireless set-up over USB starts with
    // the access-point survey, 0 when it starts with the manual settings page.
    std::int32_t apUsbDiscovery = 0;
    // The initial FAX settings of a printer.
    FaxSettings faxDefaults;
    // "General Setting" SUPPORT_CONNECTIONTYPE: `ConnectionType` bits.
    std::uint32_t connectionTypes = 0;

    bool HasFeature(std::uint32_t feature) const { return (features & feature) != 0; }
    bool HasConnectionType(std::uint32_t type) const { return (connectionTypes & type) != 0; }

    bool HasUtilityLanguage(std::uint16_t langId) const { return Contains(utilityLanguages, langId); }
    bool HasPanelLanguage(std::uint16_t langId) const { return Contains(panelLanguages, langId); }

    // The list of offered codes for one FAX code table.
    const std::vector<std::int32_t>& FaxCodes(FaxTableKind kind) const
    {
        switch (kind) {
        case FaxTableKind::LineType:
            return faxLineTypes;
        case FaxTableKind::DialType:
            return faxDialTypes;
        case FaxTableKind::ReceiveMode:
            return faxReceiveModes;
        case FaxTableKind::RingPattern:
            break;
        }
        return faxDrpdPatterns;
    }

    bool OffersFaxCode(FaxTableKind kind, std::int64_t code) const { return Contains(FaxCodes(kind), code); }
    bool OffersFaxCountry(std::int64_t code) const { return Contains(faxCountries, code); }

    template <typename List, typename Value>
    static bool Contains(const List& list, Value value)
    {
        return std::any_of(list.begin(), list.end(),
            [value](auto entry) { return static_cast<std::int64_t>(entry) == static_cast<std::int64_t>(value); });
    }

    // The first entry of a list, or `fallback` when it is empty.
    template <typename List, typename Value>
    static auto FirstOr(const List& list, Value fallback)
    {
        return list.empty() ? static_cast<typename List::value_type>(fallback) : list.front();
    }
};

}
