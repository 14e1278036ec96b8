#include "settings/KeywordTables.h"

namespace plintor {

namespace {

constexpr IndexedKeyword ipModeRows[] = {
    {368, "DUAL"},  // IDS_IPMODE_DUAL "Dual Stack"
    {369, "IPV4"},  // IDS_IPMODE_IPV4 "IPv4"
    {370, "IPV6"},  // IDS_IPMODE_IPV6 "IPv6"
};

constexpr IndexedKeyword ipv4TypeRows[] = {
    {373, "DHCP"},     // IDS_TYPE_DHCP "DHCP"
    {374, "MANUAL"},   // IDS_TYPE_FIXEDIP "Static IP"
    {375, "AUTONET"},  // IDS_TYPE_AUTOIP "AutoIP"
};

constexpr IndexedKeyword networkTypeRows[] = {
    {556, "INFRASTRUCTURE"},  // IDS_TYPE_NET_INFRA "Infrastructure"
    {557, "ADHOC"},           // IDS_TYPE_NET_ADHOC "Ad Hoc"
};

// The printer reports the encryption mode as a digit; 4 and 5 have no row.
constexpr CodedKeyword apSecurityRows[] = {
    {1, 634, "0"},  // IDS_AP_SECURITYTYPE_NOSECURITY "No Security"
    {2, 635, "1"},  // IDS_AP_SECURITYTYPE_WEP "WEP"
    {3, 636, "2"},  // IDS_AP_SECURITYTYPE_WPAPSKTKIP "WPA-PSK-TKIP"
    {4, 637, "3"},  // IDS_AP_SECURITYTYPE_WPAPSKAES "WPA2-PSK-AES"
    {5, 638, "6"},  // IDS_AP_SECURITYTYPE_MIXEDMODEPSK "Mixed mode PSK"
};

constexpr CodedKeyword linkQualityRows[] = {
    {1, 640, "1"},  // IDS_AP_RSSI_GOOD "Good"
    {2, 641, "2"},  // IDS_AP_RSSI_ACCEPTABLE "Acceptable"
    {3, 642, "3"},  // IDS_AP_RSSI_LOW "Low"
};

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool KeywordEquals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

}

const std::span<const IndexedKeyword> IpModeTable{ipModeRows};
const std::span<const IndexedKeyword> Ipv4TypeTable{ipv4TypeRows};
const std::span<const IndexedKeyword> NetworkTypeTable{networkTypeRows};
const std::span<const CodedKeyword> ApSecurityTable{apSecurityRows};
const std::span<const CodedKeyword> LinkQualityTable{linkQualityRows};

const char* KeywordOfIndex(std::span<const IndexedKeyword> table, std::uint32_t index)
{
    return index < table.size() ? table[index].keyword : nullptr;
}

const CodedKeyword* CodedRowOfCode(std::span<const CodedKeyword> table, std::uint32_t code)
{
    for (const CodedKeyword& row : table) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

const CodedKeyword* CodedRowOfKeyword(std::span<const CodedKeyword> table, std::string_view keyword)
{
    for (const CodedKeyword& row : table) {
        if (KeywordEquals(row.keyword, keyword))
            return &row;
    }
    return nullptr;
}

const char* WpaSecurityKeyword(std::uint32_t security)
{
    switch (security) {
    case 2:
        return "WPAPSKTKIP";
    case 3:
        return "WPAPSKAES";
    case 4:
        return "WPAPSKMIX";
    default:
        return "NOSECURITY";
    }
}

}
