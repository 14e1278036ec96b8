#include "settings/UserNation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace plintor {
namespace {

platform::LocaleSources Environment(std::map<std::string, std::string> values)
{
    platform::LocaleSources sources;
    sources.environment = [values](const char* name) -> std::string {
        auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    };
    return sources;
}

TEST(UserNation, LocaleVariablesInOrder)
{
    // LC_ADDRESS first, then LC_ALL, then LANG; empty values are passed over.
    EXPECT_EQ(UserGeoNation(Environment({{"LC_ADDRESS", "fr_FR.UTF-8"}, {"LC_ALL", "de_DE"}, {"LANG", "en_GB"}})), 84);
    EXPECT_EQ(UserGeoNation(Environment({{"LC_ADDRESS", ""}, {"LC_ALL", "de_AT"}, {"LANG", "en_GB"}})), 14);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "sr_RS@latin"}})), 269);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "ja_JP.eucJP"}})), 122);
    EXPECT_EQ(UserGeoNation(Environment({})), -1);
    EXPECT_EQ(UserGeoNation(platform::LocaleSources{}), -1);
    // The first set variable decides, even when it names no territory.
    EXPECT_EQ(UserGeoNation(Environment({{"LC_ALL", "C"}, {"LANG", "en_GB"}})), -1);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "POSIX"}})), -1);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "C.UTF-8"}})), -1);
}

TEST(UserNation, NationsOfTheFaxCountryTable)
{
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "de_DE.UTF-8"}})), 94);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "en_US.UTF-8"}})), 244);
    EXPECT_EQ(UserGeoNation(Environment({{"LC_ADDRESS", "mk_MK.UTF-8"}})), 19618);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "en_GB"}})), 242);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "fr_CA"}})), 39);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "is_IS"}})), 110);
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "eo_XX"}})), -1);   // no such territory
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "ar_IQ"}})), -1);   // not in the table
    EXPECT_EQ(UserGeoNation(Environment({{"LANG", "C"}})), -1);
    EXPECT_EQ(NationOfTerritory("ZA"), 209);
    EXPECT_EQ(NationOfTerritory("za"), 209);
    EXPECT_EQ(NationOfTerritory(""), -1);
}

}
}
