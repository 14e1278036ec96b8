#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plintor {

// One coded row of a FAX table. The settings store the code; the printer sends and
// receives the keyword; the string id names the text the FAX pages show.
struct FaxCodeRow {
    std::uint32_t code;
    std::uint32_t stringId;
    std::string_view keyword;
};

enum class FaxTableKind {
    LineType,
    DialType,
    ReceiveMode,
    RingPattern,
};

// The rows of one FAX code table, in order.
std::span<const FaxCodeRow> FaxCodeTable(FaxTableKind kind);

// The 86 FAX countries, in their fixed order; the code is the geographic location id of
// the nation (244 for "UNITEDSTATES").
std::span<const FaxCodeRow> FaxCountryTable();

// The code of the first country row whose keyword equals `keyword` without regard to
// case, or -1.
std::int64_t CountryCodeOfKeyword(std::string_view keyword);

// The index of the first country row with this code, or -1.
int CountryRowOfCode(std::int64_t code);

// The index of the first row of the table with this code, or -1.
int FaxRowOfCode(FaxTableKind kind, std::int64_t code);

}
