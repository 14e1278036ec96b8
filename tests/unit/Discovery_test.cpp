#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/FormatMac.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/TypedAddress.h"
#include "discovery/UsbDiscovery.h"
#include "settings/SettingsContext.h"
#include "settings/SetupState.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace plintor;

namespace {

SnmpAnswer AnswerFor(const char* objectId)
{
    SnmpAnswer answer{};
    std::strcpy(answer.address, "192.0.2.7");
    std::strcpy(answer.mac, "0011223344AA");
    std::strcpy(answer.objectId, objectId);
    answer.family = 1;
    return answer;
}

// A configuration file in a fresh folder, removed at the end.
class TempConfig {
public:
    explicit TempConfig(const std::string& text) : folder(temp.Path())
    {
        path = folder + "/plintor.ini";
        std::ofstream(path) << text;
    }
    test::CTempFolder temp{"plintor-discovery"};
    std::string folder;
    std::string path;
};

}

TEST(FormatMac, WritesSixOctetsAsUpperCaseHexAndRefusesFewer)
{
    const std::uint8_t bytes[] = {0x00, 0x1b, 0xa9, 0x0f, 0xe0, 0x7c, 0x99};
    std::string text = "unchanged";
    EXPECT_EQ(FormatMac(bytes, 7, text), 1);
    EXPECT_EQ(text, "001BA90FE07C");
    text = "unchanged";
    EXPECT_EQ(FormatMac(bytes, 5, text), 0);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(FormatMac(nullptr, 6, text), 0);
}

TEST(UsbPortName, HasThreeZeroPaddedDigits)
{
    EXPECT_EQ(UsbPortName(1), "USB001");
    EXPECT_EQ(UsbPortName(7), "USB007");
    EXPECT_EQ(UsbPortName(123), "USB123");
}

TEST(CheckAnswer, AcceptsAConfiguredIdInAnyLetterCaseAndRefusesOthers)
{
    UtilityConfig config;
    config.sysObjectIds = {"1.3.6.1.4.1.59999.1.1", "1.3.6.1.4.1.59999.Model.B"};
    DiscoveryContext context;
    context.config = &config;
    EXPECT_EQ(CheckAnswer(AnswerFor("1.3.6.1.4.1.59999.1.1"), context), kSupported);
    EXPECT_EQ(CheckAnswer(AnswerFor("1.3.6.1.4.1.59999.model.b"), context), kSupported);
    EXPECT_EQ(CheckAnswer(AnswerFor("1.3.6.1.4.1.59999.1.2"), context), kNotSupported);
    EXPECT_EQ(CheckAnswer(AnswerFor("1.3.6.1.4.1.59999.1"), context), kNotSupported);
    EXPECT_EQ(CheckAnswer(AnswerFor(""), context), kNotSupported);
    DiscoveryContext noConfig;
    EXPECT_EQ(CheckAnswer(AnswerFor("1.3.6.1.4.1.59999.1.1"), noConfig), kNotSupported);
}

TEST(ValidateTypedAddress, RefusesEmptyAnyAndBroadcastAndAcceptsNumericAddresses)
{
    EXPECT_EQ(ValidateTypedAddress(""), 0);
    EXPECT_EQ(ValidateTypedAddress("0.0.0.0"), 0);
    EXPECT_EQ(ValidateTypedAddress("255.255.255.255"), 0);
    EXPECT_EQ(ValidateTypedAddress("192.0.2.10"), 1);
    EXPECT_EQ(ValidateTypedAddress("2001:db8::1"), 1);
    EXPECT_EQ(ValidateTypedAddress("not an address"), 0);
}

TEST(CheckTypedAddress, AnOverlongAddressDoesNotAnswer)
{
    DiscoveryContext context;
    EXPECT_EQ(CheckTypedAddress(std::string(256, '1'), context), kNoAnswer);
    std::string mac;
    EXPECT_EQ(GetTypedAddressMac(std::string(300, 'a'), mac), 0);
}

TEST(QueryOptions, VerificationSwitchedOffAnswersZeroWithoutAsking)
{
    TempConfig config("[General Setting]\nSEND_PJL_VERIFICATION=OFF\n");
    std::int32_t options = -1;
    // 192.0.2.1 is never asked: the switch decides before any traffic.
    EXPECT_EQ(QueryOptions(NetworkPrinterAt("192.0.2.1"), options, config.path), 1);
    EXPECT_EQ(options, 0);
}

TEST(AskSetupState, AnEmptyListOrNoChosenPrinterGivesCode3)
{
    TempConfig config("[General Setting]\n");
    PrinterList list;
    SettingsContext context;
    context.printers = &list;
    context.configFilePath = config.path;
    int code = -1;
    EXPECT_FALSE(AskSetupState(context, code));
    EXPECT_EQ(code, SetupAnswer::kNoAnswer);
    list.AddTypedPrinter("192.0.2.1", "001122334455", 1);
    code = -1;
    EXPECT_FALSE(AskSetupState(context, code));
    EXPECT_EQ(code, SetupAnswer::kNoAnswer);
}

TEST(AskSetupState, VerificationSwitchedOffAcceptsTheFirstChosenPrinter)
{
    TempConfig config("[General Setting]\nSEND_PJL_VERIFICATION=off-please\n");
    PrinterList list;
    int index = list.AddTypedPrinter("192.0.2.1", "001122334455", 1);
    PrinterEntry entry;
    ASSERT_TRUE(list.GetPrinter(index, entry));
    entry.chosen = 1;
    list.ReplacePrinter(index, entry);
    SettingsContext context;
    context.printers = &list;
    context.configFilePath = config.path;
    int code = -1;
    EXPECT_TRUE(AskSetupState(context, code));
    EXPECT_EQ(code, SetupAnswer::kReady);
}

TEST(PlatformMajorVersion, IsAtLeastSixOnLinux)
{
    EXPECT_GE(PlatformMajorVersion(), 6);
}
