#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// The FAX settings of one printer; the same record holds the configuration's FAX
// defaults (UtilityConfig::faxDefaults). The five codes are codes of the built-in FAX
// tables; the country code is a geographic nation id (244 for the United States).
struct FaxSettings {
    // The country code that means "no country chosen yet".
    static constexpr std::uint32_t kNoCountry = 0xFFFFFFFFu;

    std::uint32_t faxEnabled = 1;  // 0: the user declined FAX; nothing is read back or sent
    std::uint32_t country = kNoCountry;
    std::uint32_t lineType = 1;
    std::uint32_t dialType = 1;
    std::uint32_t receiveMode = 2;
    std::uint32_t drpdPattern = 4;  // meaningful only when receiveMode is 5 (DRPD)
    std::string companyName;        // the FAX pages accept at most 23 characters
    std::string faxNumber;          // the FAX pages accept at most 20 characters

    bool operator==(const FaxSettings&) const = default;
};

}
