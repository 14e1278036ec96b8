#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plintor {

// Checks, parses and expands IPv6 address texts for the IP page and the IP lines.
class CIPv6Utl {
public:
    using Groups = std::array<std::uint16_t, 8>;

    // Results of ValidateAddress.
    enum Validation : int {
        kAccepted = 0,
        kBadLength = 1,          // shorter than 2 or longer than 39 characters
        kBadSyntax = 2,
        kOutsidePrefix = 3,      // first group not within 2000 to 3FFF
        kDocumentationPrefix = 4 // 2001:0DB8::/32
    };

    // Hexadecimal digits and colons only, "::" at most once, fields of at most four
    // digits, and eight fields (three to eight where "::" stands for the rest).
    static bool CheckSyntax(std::string_view text);

    // The eight groups, first group first; "::" stands for the zero groups between the
    // fields before it and those after it. Meant for texts that pass CheckSyntax.
    static Groups Parse(std::string_view text);

    // "%04x" of each group joined by ":", no shortening.
    static std::string FormatFull(const Groups& groups);

    // The full form of `text` in upper case, as the printer is sent it.
    static std::string FullFormUpper(std::string_view text);

    // One of Validation; a gateway is validated exactly like an address.
    static int ValidateAddress(std::string_view text);
};

}
