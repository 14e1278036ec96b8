#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// The FAX settings of one printer. The same record carries the FAX defaults of the
// configuration file (`UtilityConfig::faxDefaults`) and the FAX part of a printer's
// settings. The five codes are codes of the FAX tables (config/FaxTables.h).
struct FaxSettings {
    // The country code that means "no country chosen yet".
    static constexpr std::uint32_t kNoCountry = 0xFFFFFFFFu;

    std::uint32_t faxEnabled = 1;    // 0: the user chose not to use FAX
    std::uint32_t country = kNoCountry;
    std::uint32_t lineType = 1;
    std::uint32_t dialType = 1;
    std::uint32_t receiveMode = 2;
    std::uint32_t drpdPattern = 4;   // meaningful only when receiveMode is 5 (DRPD)
    std::string companyName;         // UTF-8; the FAX pages accept at most 23 characters
    std::string faxNumber;           // UTF-8; the FAX pages accept at most 20 characters

    bool operator==(const FaxSettings&) const = default;
};

}
