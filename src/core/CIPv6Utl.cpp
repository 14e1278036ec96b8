#include "core/CIPv6Utl.h"

#include <cstdio>
#include <vector>

namespace plintor {

namespace {

constexpr std::size_t kMinLength = 2;
constexpr std::size_t kMaxLength = 39;
constexpr std::size_t kMaxFieldDigits = 4;

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexValue(char c)
{
    c = Lower(c);
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::vector<std::string_view> SplitAtColons(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t colon = text.find(':', start);
        if (colon == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
}

// Reads a field as hexadecimal; it stops at the first character that is not a digit
// and keeps the low 16 bits, so that odd input still gives a defined group.
std::uint16_t FieldValue(std::string_view field)
{
    unsigned value = 0;
    for (char c : field) {
        int digit = HexValue(c);
        if (digit < 0)
            break;
        value = (value << 4) | static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

std::size_t CodePointCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

}

bool CIPv6Utl::CheckSyntax(std::string_view text)
{
    for (char c : text) {
        if (c != ':' && HexValue(c) < 0)
            return false;
    }
    std::size_t first = text.find("::");
    bool compressed = first != std::string_view::npos;
    if (compressed && text.find("::", first + 1) != std::string_view::npos)
        return false;
    std::vector<std::string_view> fields = SplitAtColons(text);
    for (std::string_view field : fields) {
        if (field.size() > kMaxFieldDigits)
            return false;
    }
    if (compressed)
        return fields.size() >= 3 && fields.size() <= 8;
    return fields.size() == 8;
}

CIPv6Utl::Groups CIPv6Utl::Parse(std::string_view text)
{
    Groups groups{};
    std::size_t gap = text.find("::");
    if (gap == std::string_view::npos) {
        std::vector<std::string_view> fields = SplitAtColons(text);
        for (std::size_t i = 0; i < fields.size() && i < groups.size(); ++i)
            groups[i] = FieldValue(fields[i]);
        return groups;
    }
    std::string_view head = text.substr(0, gap);
    std::string_view tail = text.substr(gap + 2);
    std::vector<std::string_view> front;
    std::vector<std::string_view> back;
    if (!head.empty())
        front = SplitAtColons(head);
    if (!tail.empty())
        back = SplitAtColons(tail);
    std::size_t used = 0;
    for (; used < front.size() && used < groups.size(); ++used)
        groups[used] = FieldValue(front[used]);
    // Fields after the gap fill the groups from the last one backwards, never over the
    // groups that the fields before the gap took.
    std::size_t slot = groups.size();
    for (std::size_t i = back.size(); i > 0 && slot > used; --i)
        groups[--slot] = FieldValue(back[i - 1]);
    return groups;
}

std::string CIPv6Utl::FormatFull(const Groups& groups)
{
    char buffer[8 * 5];
    std::snprintf(buffer, sizeof buffer, "%04x:%04x:%04x:%04x:%04x:%04x:%04x:%04x", groups[0], groups[1],
                  groups[2], groups[3], groups[4], groups[5], groups[6], groups[7]);
    return buffer;
}

std::string CIPv6Utl::FullFormUpper(std::string_view text)
{
    std::string full = FormatFull(Parse(text));
    for (char& c : full) {
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return full;
}

int CIPv6Utl::ValidateAddress(std::string_view text)
{
    std::size_t length = CodePointCount(text);
    if (length < kMinLength || length > kMaxLength)
        return kBadLength;
    if (!CheckSyntax(text))
        return kBadSyntax;
    Groups groups = Parse(text);
    if ((groups[0] & 0xE000) != 0x2000)
        return kOutsidePrefix;
    if (FullFormUpper(text).starts_with("2001:0DB8"))
        return kDocumentationPrefix;
    return kAccepted;
}

}
