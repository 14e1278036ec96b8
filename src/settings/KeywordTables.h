#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plintor {

// Vocabularies that turn stored numbers into PJL words and display texts. In an indexed
// table the stored value is the row index; in a coded table it is the row's code.
struct IndexedKeyword {
    std::uint32_t stringId;
    const char* keyword;
};

struct CodedKeyword {
    std::uint32_t code;
    std::uint32_t stringId;
    const char* keyword;
};

// IP mode (IpSettings::stackMode): DUAL, IPV4, IPV6.
extern const std::span<const IndexedKeyword> IpModeTable;
// IPv4 type (IpSettings::ipv4Mode): DHCP, MANUAL, AUTONET.
extern const std::span<const IndexedKeyword> Ipv4TypeTable;
// Network type (WirelessSettings::networkType): INFRASTRUCTURE, ADHOC.
extern const std::span<const IndexedKeyword> NetworkTypeTable;
// Security of an access point in a survey answer; the keyword is the answer value.
extern const std::span<const CodedKeyword> ApSecurityTable;
// Link quality of an access point in a survey answer; the keyword is the answer value.
extern const std::span<const CodedKeyword> LinkQualityTable;

// The keyword of row `index`, or nullptr when the table has no such row.
const char* KeywordOfIndex(std::span<const IndexedKeyword> table, std::uint32_t index);

// The first row whose code equals `code`, or nullptr.
const CodedKeyword* CodedRowOfCode(std::span<const CodedKeyword> table, std::uint32_t code);

// The first row whose keyword equals `keyword` without regard to (ASCII) case, or nullptr.
const CodedKeyword* CodedRowOfKeyword(std::span<const CodedKeyword> table, std::string_view keyword);

// The fixed security word of the wireless lines for WirelessSettings::security 2 to 4;
// every other value (WEP excepted, which has a command form of its own) is NOSECURITY.
const char* WpaSecurityKeyword(std::uint32_t security);

}
