#include "config/ConfigReader.h"
#include "config/GeneralSettings.h"
#include "config/IniFile.h"
#include "config/LoadConfiguration.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace plintor {
namespace {

std::string Value(const IniFile& file, const char* section, const char* key)
{
    std::string text;
    ReadTextKey(file, section, key, text);
    return text;
}

TEST(IniFile, NamesMatchWithoutCaseAndBlanksAreDropped)
{
    IniFile file = IniFile::Parse(
        "  [ General Setting ]  \r\n"
        "\tMutex_Name =  Lock One \t\r\n"
        "[usb prn search]\n"
        "usb_id_0=A=B\n");
    EXPECT_EQ(Value(file, "GENERAL SETTING", "mutex_name"), "Lock One");
    EXPECT_EQ(Value(file, "USB Prn Search", "USB_ID_0"), "A=B");
    EXPECT_FALSE(file.Find("General Setting", "USB_ID_0"));
}

TEST(IniFile, FirstOccurrenceWinsAcrossRepeatedSections)
{
    IniFile file = IniFile::Parse(
        "[S]\nK=first\nK=second\n"
        "[T]\nK=other\n"
        "[s]\nK=third\nL=late\n");
    EXPECT_EQ(Value(file, "S", "K"), "first");
    EXPECT_EQ(Value(file, "S", "L"), "late");
    EXPECT_EQ(Value(file, "T", "K"), "other");
}

TEST(IniFile, CommentsKeysOutsideSectionsAndLinesWithoutEqualsAreIgnored)
{
    IniFile file = IniFile::Parse(
        "K=before any section\n"
        "[S]\n"
        ";K=commented\n"
        "   ; K=indented comment\n"
        "just words\n"
        "=no key\n"
        "K=real\n");
    EXPECT_EQ(Value(file, "S", "K"), "real");
    EXPECT_FALSE(file.Find("", "K"));
}

TEST(IniFile, AbsentAndEmptyValuesAreNotFound)
{
    IniFile file = IniFile::Parse("[S]\nEMPTY=\nBLANK=   \n");
    std::string text = "stale";
    EXPECT_FALSE(ReadTextKey(file, "S", "EMPTY", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ReadTextKey(file, "S", "BLANK", text));
    EXPECT_FALSE(ReadTextKey(file, "S", "NONE", text));
    EXPECT_FALSE(ReadTextKey(file, "NONE", "EMPTY", text));
    ASSERT_TRUE(file.Find("S", "EMPTY"));
}

TEST(IniFile, ValuesAreCutAt259Characters)
{
    std::string exact(259, 'x');
    std::string longer(300, 'y');
    // 300 two-byte characters: the cut counts characters, not bytes, and never splits one.
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "\xC3\xA9";
    IniFile file = IniFile::Parse("[S]\nA=" + exact + "\nB=" + longer + "\nC=" + wide + "\n");
    EXPECT_EQ(Value(file, "S", "A"), exact);
    EXPECT_EQ(Value(file, "S", "B"), std::string(259, 'y'));
    EXPECT_EQ(Value(file, "S", "C").size(), 259u * 2);
}

TEST(IniFile, HostileBytesNeverLeakIntoValues)
{
    std::string text = "[S]\nNUL=ab";
    text += '\0';
    text += "cd\nBAD=\xFF\xC3(\xED\xA0\x80z\nAFTER=ok\n";
    // A line of several megabytes between the keys.
    text += "HUGE=" + std::string(4u << 20, 'h') + "\n";
    text += std::string(3u << 20, 'k') + "=v\nLAST=yes\n";
    IniFile file = IniFile::Parse(text);
    EXPECT_EQ(Value(file, "S", "NUL"), "ab");
    EXPECT_EQ(Value(file, "S", "BAD"), "\xEF\xBF\xBD\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDz");
    EXPECT_EQ(Value(file, "S", "AFTER"), "ok");
    EXPECT_EQ(Value(file, "S", "HUGE").size(), 259u);
    EXPECT_EQ(Value(file, "S", "LAST"), "yes");
}

TEST(ConfigReader, CountsAreUnsignedDecimal)
{
    IniFile file = IniFile::Parse("[S]\nA=12\nB=7abc\nC=-3\nD=x\nE=0x10\nF=99999999999999\n");
    EXPECT_EQ(ReadCountKey(file, "S", "A"), 12u);
    EXPECT_EQ(ReadCountKey(file, "S", "B"), 7u);
    EXPECT_EQ(ReadCountKey(file, "S", "C"), 0u);
    EXPECT_EQ(ReadCountKey(file, "S", "D"), 0u);
    EXPECT_EQ(ReadCountKey(file, "S", "E"), 0u);
    EXPECT_EQ(ReadCountKey(file, "S", "F"), 0xFFFFFFFFu);
    EXPECT_EQ(ReadCountKey(file, "S", "ABSENT"), 0u);
}

TEST(ConfigReader, CountedListsNeedEveryNumberedKey)
{
    std::vector<std::string> list{"stale"};
    IniFile file = IniFile::Parse("[S]\nN=2\nK_0=a\nK_1=b\nK_2=never read\n"
                                  "HOLE=3\nH_0=a\nH_2=c\n"
                                  "ZERO=0\nZ_0=a\n"
                                  "HUGE=4000000000\nG_0=a\n");
    ASSERT_TRUE(ReadListKey(file, "S", "N", "K_%u", list));
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(ReadListKey(file, "S", "HOLE", "H_%u", list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(ReadListKey(file, "S", "ZERO", "Z_%u", list));
    EXPECT_FALSE(ReadListKey(file, "S", "ABSENT", "K_%u", list));
    // A count far beyond the keys present ends at the first missing key.
    EXPECT_FALSE(ReadListKey(file, "S", "HUGE", "G_%u", list));
}

TEST(ConfigReader, CommaListsKeepBlanksAndSkipEmptyPieces)
{
    auto pieces = SplitCommaList(",IP,, FAX,Panel ,");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], "IP");
    EXPECT_EQ(pieces[1], " FAX");
    EXPECT_EQ(pieces[2], "Panel ");
    EXPECT_TRUE(SplitCommaList("").empty());
    EXPECT_TRUE(SplitCommaList(",,,").empty());
}

TEST(ConfigReader, TextToIntStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(TextToInt("1033"), 1033);
    EXPECT_EQ(TextToInt("12abc"), 12);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt(" 7"), 7);
    EXPECT_EQ(TextToInt("-1"), -1);
    EXPECT_EQ(TextToInt("99999999999"), 2147483647);
    EXPECT_EQ(TextToInt("-99999999999"), -2147483647 - 1);
}

TEST(ConfigReader, SwitchesAreOnOffOrMalformed)
{
    IniFile file = IniFile::Parse("[S]\nA=on\nB=Off\nC=yes\nD=\n");
    EXPECT_EQ(ReadSwitchKey(file, "S", "A"), SwitchValue::On);
    EXPECT_EQ(ReadSwitchKey(file, "S", "B"), SwitchValue::Off);
    EXPECT_EQ(ReadSwitchKey(file, "S", "C"), SwitchValue::Malformed);
    EXPECT_EQ(ReadSwitchKey(file, "S", "D"), SwitchValue::Missing);
    EXPECT_EQ(ReadSwitchKey(file, "S", "E"), SwitchValue::Missing);
}

TEST(ConfigReader, ConfigFilePathSitsBesideTheProgram)
{
    EXPECT_EQ(ConfigFilePathFor("/opt/plintor/plintor.exe"), "/opt/plintor/plintor.ini");
    EXPECT_EQ(ConfigFilePathFor("/usr/bin/plintor"), "/usr/bin/plintor.ini");
    // A "." in a folder name must not cut the path.
    EXPECT_EQ(ConfigFilePathFor("/home/u/.local/bin/plintor"), "/home/u/.local/bin/plintor.ini");
    EXPECT_EQ(ConfigFilePathFor("/opt/a.b/tool.x.bin"), "/opt/a.b/tool.x.ini");
    EXPECT_EQ(ConfigFilePathFor(""), "");
    EXPECT_FALSE(ConfigFilePath().empty());
}

TEST(ConfigReader, InstalledProgramReadsTheSystemConfigurationOnlyWhenNoneLiesBesideIt)
{
    std::set<std::string> files;
    auto exists = [&files](const std::string& path) { return files.count(path) == 1; };
    // Neither file: the one beside the program, so that start-up reports it missing.
    EXPECT_EQ(ChooseConfigFile("/usr/bin/plintor", kSystemConfigFile, exists), "/usr/bin/plintor.ini");
    files.insert(kSystemConfigFile);
    EXPECT_EQ(ChooseConfigFile("/usr/bin/plintor", kSystemConfigFile, exists), "/etc/plintor/plintor.ini");
    // A copy run from a folder with its own configuration keeps it.
    files.insert("/opt/kit/plintor.ini");
    EXPECT_EQ(ChooseConfigFile("/opt/kit/plintor", kSystemConfigFile, exists), "/opt/kit/plintor.ini");
    EXPECT_EQ(ChooseConfigFile("", kSystemConfigFile, exists), "");
}

TEST(GeneralSettings, TimeOfUseSwitchesDefaultAsDocumented)
{
    IniFile none = IniFile::Parse("[General Setting]\n");
    EXPECT_TRUE(IsPjlVerificationOn(none));
    EXPECT_FALSE(IsEntryCommandNeeded(none));
    EXPECT_TRUE(IsContinueToInstallOn(none));
    std::string name;
    EXPECT_FALSE(ReadMutexName(none, name));

    IniFile set = IniFile::Parse("[general setting]\nSEND_PJL_VERIFICATION=on\nNECCESITY_OF_ENTRY_COMMAND=1\n"
                                 "CONTINUE_TO_INSTALL=On\nMUTEX_NAME=M\n");
    EXPECT_TRUE(IsPjlVerificationOn(set));
    EXPECT_TRUE(IsEntryCommandNeeded(set));
    EXPECT_TRUE(IsContinueToInstallOn(set));
    EXPECT_TRUE(ReadMutexName(set, name));
    EXPECT_EQ(name, "M");

    IniFile off = IniFile::Parse("[General Setting]\nSEND_PJL_VERIFICATION=no\nNECCESITY_OF_ENTRY_COMMAND=01\n"
                                 "CONTINUE_TO_INSTALL=OFF\n");
    EXPECT_FALSE(IsPjlVerificationOn(off));
    EXPECT_FALSE(IsEntryCommandNeeded(off));
    EXPECT_FALSE(IsContinueToInstallOn(off));
}

class IniFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temp.Path();
        ASSERT_FALSE(folder.empty());
    }
    test::CTempFolder temp{"plintor-ini"};
    std::string folder;
};

// A FIFO in the file's place: tests/unit/ReadRegularFile_test.cpp (Linux).
TEST_F(IniFileOnDisk, MissingFilesAndDirectoriesReadAsEmpty)
{
    IniFile file;
    EXPECT_FALSE(file.Load(folder + "/absent.ini"));
    EXPECT_FALSE(file.Load(folder));
    EXPECT_FALSE(IsEntryCommandNeeded(folder));

    std::string path = folder + "/real.ini";
    std::ofstream(path) << "\xEF\xBB\xBF[General Setting]\nNECCESITY_OF_ENTRY_COMMAND=1\n";
    EXPECT_TRUE(IsEntryCommandNeeded(path));
    std::string text;
    EXPECT_TRUE(ReadTextKey(path, "general setting", "neccesity_of_entry_command", text));
    EXPECT_EQ(text, "1");
}

}
}

namespace plintor {
namespace {

bool IsValidUtf8(const std::string& text, std::size_t& chars)
{
    chars = 0;
    for (std::size_t i = 0; i < text.size(); ++chars) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// Random files built from the pieces a configuration is made of, and raw noise: every
// value that comes out is valid UTF-8 without NUL and at most 259 characters long, and
// loading never fails in any other way than by returning false.
TEST(IniFile, RandomFilesGiveOnlyCleanBoundedValues)
{
    const std::string pieces[] = {"[", "]", "=", ";", "\n", "\r\n", " ", "\t", std::string(1, '\0'), "\xFF", "\xC3",
        "\xE2\x82", "\xF0\x9F\x98\x80", "General Setting", "SUPPORT_FEATURE", "SUPPORT_CONNECTIONTYPE", "IP", "USB",
        "NET", ",", "MUTEX_NAME", "%u", "1", "0", "99999999999", "Fax Setting", "FAX_COUNTRY_NUM", "COUNTRY_0",
        std::string(300, 'x')};
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 400; ++round) {
        std::string text;
        int count = static_cast<int>(next() % 200);
        for (int i = 0; i < count; ++i) {
            if (next() % 4 == 0)
                text += static_cast<char>(next() & 0xFF);
            else
                text += pieces[next() % std::size(pieces)];
        }
        IniFile file = IniFile::Parse(text);
        UtilityConfig config;
        LoadConfiguration(config, file, [](std::uint16_t) { return true; });
        for (const char* section : {"General Setting", "Fax Setting", "x"}) {
            for (const char* key : {"SUPPORT_FEATURE", "SUPPORT_CONNECTIONTYPE", "MUTEX_NAME", "COUNTRY_0", "x"}) {
                std::string value;
                ReadTextKey(file, section, key, value);
                std::size_t chars = 0;
                ASSERT_TRUE(IsValidUtf8(value, chars)) << "round " << round;
                ASSERT_LE(chars, IniFile::kMaxValueChars);
                ASSERT_EQ(value.find('\0'), std::string::npos);
            }
        }
    }
}

}
}
