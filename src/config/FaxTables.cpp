#include "config/FaxTables.h"

#include "config/TextCompare.h"

#include <iterator>

namespace plintor {

namespace {

constexpr FaxCodeRow lineTypes[] = {
    {1, 448, "PSTN"},  // IDS_LINETYPE_PSTN
    {2, 449, "PBX"},   // IDS_LINETYPE_PBX
};

constexpr FaxCodeRow dialTypes[] = {
    {1, 451, "PB"},    // IDS_TONE_PULSE_TONE
    {2, 452, "DP10"},  // IDS_TONE_PULSE_DP10
    {3, 453, "DP20"},  // IDS_TONE_PULSE_DP20
};

constexpr FaxCodeRow receiveModes[] = {
    {1, 455, "TEL"},     // IDS_RECEVEMODE_TEL
    {2, 456, "FAX"},     // IDS_RECEVEMODE_FAX
    {3, 457, "TELFAX"},  // IDS_RECEVEMODE_TELFAX
    {4, 458, "ANSFAX"},  // IDS_RECEVEMODE_ANSFAX
    {5, 459, "DRPD"},    // IDS_RECEVEMODE_DRPD
};

constexpr FaxCodeRow ringPatterns[] = {
    {1, 461, "PAT1"},  // IDS_DRPD_PATTERN1
    {2, 462, "PAT2"},
    {3, 463, "PAT3"},
    {4, 464, "PAT4"},
    {5, 465, "PAT5"},
    {6, 466, "PAT6"},
    {7, 467, "PAT7"},  // IDS_DRPD_PATTERN7
};

// Code (geographic location id), string id, keyword.
constexpr FaxCodeRow countries[] = {
    {6, 600, "ALBANIA"},  // IDS_COUNTRY_ALBANIA
    {4, 397, "ALGERIA"},  // IDS_COUNTRY_ALGERIA
    {11, 579, "ARGENTINA"},  // IDS_COUNTRY_ARGENTINA
    {12, 398, "AUSTRALIA"},  // IDS_COUNTRY_AUSTRALIA
    {14, 399, "AUSTRIA"},  // IDS_COUNTRY_AUSTRIA
    {17, 580, "BAHRAIN"},  // IDS_COUNTRY_BAHRAIN
    {29, 581, "BELARUS"},  // IDS_COUNTRY_BELARUS
    {21, 400, "BELGIUM"},  // IDS_COUNTRY_BELGIUM
    {32, 582, "BRAZIL"},  // IDS_COUNTRY_BRAZIL
    {35, 548, "BULGARIA"},  // IDS_COUNTRY_BULGARIA
    {39, 401, "CANADA"},  // IDS_COUNTRY_CANADA
    {46, 583, "CHILE"},  // IDS_COUNTRY_CHILE
    {45, 587, "CHINA"},  // IDS_COUNTRY_CHINA
    {51, 402, "COLOMBIA"},  // IDS_COUNTRY_COLOMBIA
    {54, 562, "COSTARICA"},  // IDS_COUNTRY_COSTARICA
    {108, 601, "CROATIA"},  // IDS_COUNTRY_CROATIA
    {59, 403, "CYPRUS"},  // IDS_COUNTRY_CYPRUS
    {75, 404, "CZECH"},  // IDS_COUNTRY_CZECH_REPUBLIC
    {61, 405, "DENMARK"},  // IDS_COUNTRY_DENMARK
    {65, 563, "DOMINICAN"},  // IDS_COUNTRY_DOMINICAN_REPUBLIC
    {67, 406, "EGYPT"},  // IDS_COUNTRY_EGYPT
    {70, 549, "ESTONIA"},  // IDS_COUNTRY_ESTONIA
    {77, 407, "FINLAND"},  // IDS_COUNTRY_FINLAND
    {84, 408, "FRANCE"},  // IDS_COUNTRY_FRANCE
    {94, 409, "GERMANY"},  // IDS_COUNTRY_GERMANY
    {98, 410, "GREECE"},  // IDS_COUNTRY_GREECE
    {99, 564, "GUATEMALA"},  // IDS_COUNTRY_GUATEMALA
    {109, 411, "HUNGARY"},  // IDS_COUNTRY_HUNGARY
    {104, 588, "HONGKONG"},  // IDS_COUNTRY_HONGKONG
    {113, 584, "INDIA"},  // IDS_COUNTRY_INDIA
    {111, 589, "INDONESIA"},  // IDS_COUNTRY_INDONESIA
    {110, 550, "ICELAND"},  // IDS_COUNTRY_ICELAND
    {68, 412, "IRELAND"},  // IDS_COUNTRY_IRELAND
    {117, 413, "ISRAEL"},  // IDS_COUNTRY_ISRAEL
    {118, 414, "ITALY"},  // IDS_COUNTRY_ITALY
    {124, 565, "JAMAICA"},  // IDS_COUNTRY_JAMAICA
    {122, 602, "JAPAN"},  // IDS_COUNTRY_JAPAN
    {126, 415, "JORDAN"},  // IDS_COUNTRY_JORDAN
    {137, 585, "KAZAKHSTAN"},  // IDS_COUNTRY_KAZAKHSTAN
    {134, 598, "SOUTHKOREA"},  // IDS_COUNTRY_KOREAN
    {136, 416, "KUWAIT"},  // IDS_COUNTRY_KUWAIT
    {140, 551, "LATVIA"},  // IDS_COUNTRY_LATVIA
    {139, 417, "LEBANON"},  // IDS_COUNTRY_LEBANON
    {145, 418, "LIECHTENSTEIN"},  // IDS_COUNTRY_LIECHTENSTEIN
    {141, 552, "LITHUANIA"},  // IDS_COUNTRY_LITHUANIA
    {147, 419, "LUXEMBOURG"},  // IDS_COUNTRY_LUXEMBOURG
    {19618, 603, "MACEDONIA"},  // IDS_COUNTRY_MACEDONIA
    {167, 590, "MALAYSIA"},  // IDS_COUNTRY_MALAYSIA
    {163, 420, "MALTA"},  // IDS_COUNTRY_MALTA
    {166, 421, "MEXICO"},  // IDS_COUNTRY_MEXICO
    {159, 422, "MOROCCO"},  // IDS_COUNTRY_MOROCCO
    {27, 591, "MYANMAR"},  // IDS_COUNTRY_MYANMAR
    {176, 423, "NETHERLANDS"},  // IDS_COUNTRY_NETHERLANDS_EU
    {183, 424, "NEWZEALAND"},  // IDS_COUNTRY_NEWZEALAND
    {182, 566, "NICARAGUA"},  // IDS_COUNTRY_NICARAGUA
    {177, 425, "NORWAY"},  // IDS_COUNTRY_NORWAY
    {164, 426, "OMAN"},  // IDS_COUNTRY_OMAN
    {201, 592, "PHILIPINES"},  // IDS_COUNTRY_PHILIPINES
    {192, 567, "PANAMA"},  // IDS_COUNTRY_PANAMA
    {191, 427, "POLAND"},  // IDS_COUNTRY_POLAND
    {193, 428, "PORTUGAL"},  // IDS_COUNTRY_PORTUGAL
    {202, 429, "PUERTORICO"},  // IDS_COUNTRY_PUERTO_RICO
    {197, 430, "QATAR"},  // IDS_COUNTRY_QATAR
    {200, 431, "ROMANIA"},  // IDS_COUNTRY_ROMANIA
    {203, 432, "RUSSIA"},  // IDS_COUNTRY_RUSSIA
    {205, 433, "SAUDIARABIA"},  // IDS_COUNTRY_SAUDI_ARABIA
    {269, 604, "SERBIA"},  // IDS_COUNTRY_SERBIA
    {215, 553, "SINGAPORE"},  // IDS_COUNTRY_SINGAPORE
    {143, 434, "SLOVAKIA"},  // IDS_COUNTRY_SLOVAKIA
    {212, 435, "SLOVENIA"},  // IDS_COUNTRY_SLOVENIA
    {209, 436, "SOUTHAFRICA"},  // IDS_COUNTRY_SOUTH_AFRICA
    {217, 437, "SPAIN"},  // IDS_COUNTRY_SPAIN
    {221, 438, "SWEDEN"},  // IDS_COUNTRY_SWEDEN
    {223, 439, "SWITZERLAND"},  // IDS_COUNTRY_SWITZERLAND
    {237, 593, "TAIWAN"},  // IDS_COUNTRY_TAIWAN
    {227, 594, "THAILAND"},  // IDS_COUNTRY_THAILAND
    {225, 440, "TRINIDADANDTOBAGO"},  // IDS_COUNTRY_TRINIDAD_TOBAGO
    {234, 441, "TUNISIA"},  // IDS_COUNTRY_TUNISIA
    {235, 442, "TURKEY"},  // IDS_COUNTRY_TURKEY
    {224, 443, "UAE"},  // IDS_COUNTRY_UAE
    {241, 586, "UKRAINE"},  // IDS_COUNTRY_UKRAINE
    {242, 444, "UNITEDKINGDOM"},  // IDS_COUNTRY_UNITED_KINGDOM
    {244, 445, "UNITEDSTATES"},  // IDS_COUNTRY_UNITED_STATUS
    {247, 605, "UZBEKISTAN"},  // IDS_COUNTRY_UZBEKISTAN
    {251, 664, "VIETNAM"},  // IDS_COUNTRY_VIETNAM
    {261, 446, "YEMEN"},  // IDS_COUNTRY_YEMEN
};

static_assert(std::size(countries) == 86);

int RowOfCode(std::span<const FaxCodeRow> rows, std::int64_t code)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (static_cast<std::int64_t>(rows[i].code) == code)
            return static_cast<int>(i);
    }
    return -1;
}

}

std::span<const FaxCodeRow> FaxCodeTable(FaxTableKind kind)
{
    switch (kind) {
    case FaxTableKind::LineType:
        return lineTypes;
    case FaxTableKind::DialType:
        return dialTypes;
    case FaxTableKind::ReceiveMode:
        return receiveModes;
    case FaxTableKind::RingPattern:
        return ringPatterns;
    }
    return {};
}

std::span<const FaxCodeRow> FaxCountryTable()
{
    return countries;
}

std::int64_t CountryCodeOfKeyword(std::string_view keyword)
{
    for (const FaxCodeRow& row : countries) {
        if (EqualsNoCase(row.keyword, keyword))
            return row.code;
    }
    return -1;
}

int CountryRowOfCode(std::int64_t code)
{
    return RowOfCode(countries, code);
}

int FaxRowOfCode(FaxTableKind kind, std::int64_t code)
{
    return RowOfCode(FaxCodeTable(kind), code);
}

}
