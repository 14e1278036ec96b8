#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// The FAX settings of one printer; the same record holds the configuration's FAX
// defaults. The codes are those of the built-in FAX tables; the country code is a
// geographic nation id (244 for the United States), -1 when none is known.
struct FaxSettings {
    std::uint32_t faxEnabled = 1;  // 0: the user declined FAX; nothing is read back or sent
    std::int32_t country = -1;
    std::int32_t lineType = 1;
    std::int32_t dialType = 1;
    std::int32_t receiveMode = 2;
    std::int32_t drpdPattern = 4;  // meaningful only when receiveMode is 5 (DRPD)
    std::string companyName;       // the FAX pages accept at most 23 characters
    std::string faxNumber;         // the FAX pages accept at most 20 characters

    bool operator==(const FaxSettings&) const = default;
};

}
