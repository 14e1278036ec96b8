#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace plintor {

// One access point that the printer's wireless adapter can hear.
struct AccessPointInfo {
    // As the printer reported it; bytes that the wire's character set cannot read are
    // kept in it (platform/AnsiCodePage.h), CAnsiCodePage::Readable shows it.
    std::string ssid;
    std::uint32_t securityType = 0;  // code of ApSecurityTable, 1 to 5
    std::uint32_t linkQuality = 0;   // code of LinkQualityTable, 1 to 3

    bool operator==(const AccessPointInfo&) const = default;
};

// The outcome of one access point survey; a survey replaces all of it.
struct ApSurveyResult {
    // -1 unknown (no answer, no DATASTATUS, or a value other than 1 and 0); 1 the
    // printer reports valid data; 0 it reports none.
    std::int32_t dataStatus = -1;
    std::vector<AccessPointInfo> accessPoints;
    std::map<std::string, std::string> answerFields;  // key=value lines of the last answer
};

}
