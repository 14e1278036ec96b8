#include "settings/SettingsStore.h"

#include "core/PrinterList.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

PrinterList ListOf(int count)
{
    PrinterList list;
    for (int i = 0; i < count; ++i) {
        PrinterEntry entry;
        entry.macAddress = "00000000000" + std::to_string(i);
        entry.chosen = 1;  // stale marks from an earlier choice
        list.Add(entry);
    }
    return list;
}

TEST(SettingsStore, SelectPrinterMarksExactlyOneEntryAndStoresTheWorkingCopy)
{
    PrinterList list = ListOf(4);
    std::int32_t selected = -1;
    PrinterEntry working;
    working.ip.stackMode = 1;
    working.fax.companyName = "Acme";
    working.panelLanguage = 1036;
    working.macAddress = "not copied";
    SelectPrinter(list, selected, working, 2);
    EXPECT_EQ(selected, 2);
    for (int i = 0; i < 4; ++i) {
        PrinterEntry e;
        ASSERT_TRUE(list.GetPrinter(i, e));
        EXPECT_EQ(e.chosen, i == 2 ? 1u : 0u) << i;
        EXPECT_EQ(e.macAddress, "00000000000" + std::to_string(i));
    }
    PrinterEntry chosen;
    list.GetPrinter(2, chosen);
    EXPECT_EQ(chosen.Settings(), working.Settings());
    PrinterEntry other;
    list.GetPrinter(1, other);
    EXPECT_EQ(other.Settings(), DeviceSettings{});
}

TEST(SettingsStore, LoadSettingsTakesEverythingButTheAddressesAndTheFax)
{
    PrinterList list = ListOf(1);
    PrinterEntry source;
    list.GetPrinter(0, source);
    source.ip.stackMode = 1;
    source.ip.ipv4Mode = 1;
    source.ip.ipv4Address = 0xC0A80005;  // 192.168.0.5
    source.ip.subnetMask = 0xFFFFFF00;
    source.ip.gateway = 0xC0A80001;
    source.ip.ipv6Address = "2001:db9::5";
    source.ip.ipv6Gateway = "2001:db9::1";
    source.wireless.ssid = "office";
    source.panelLanguage = 1031;
    source.fax.companyName = "from entry";
    list.ReplacePrinter(0, source);

    PrinterEntry working;
    working.fax.companyName = "working";
    LoadSettings(list, 0, working);
    EXPECT_EQ(working.ip.ipv4Address, 0u);
    EXPECT_TRUE(working.ip.ipv6Address.empty());
    EXPECT_EQ(working.ip.subnetMask, 0xFFFFFF00u);
    EXPECT_EQ(working.ip.gateway, 0xC0A80001u);
    EXPECT_EQ(working.ip.stackMode, 1u);
    EXPECT_EQ(working.ip.ipv4Mode, 1u);
    EXPECT_EQ(working.ip.ipv6Gateway, "2001:db9::1");
    EXPECT_EQ(working.wireless.ssid, "office");
    EXPECT_EQ(working.panelLanguage, 1031);
    EXPECT_EQ(working.fax.companyName, "working");

    LoadSettings(list, 7, working);
    EXPECT_EQ(working.ip, IpSettings{});
    EXPECT_EQ(working.wireless, WirelessSettings{});
    EXPECT_EQ(working.panelLanguage, 1033);
    EXPECT_EQ(working.fax.companyName, "working");
}

TEST(SettingsStore, StoreSettingsOutOfRangeChangesNothing)
{
    PrinterList list = ListOf(2);
    PrinterEntry working;
    working.wireless.ssid = "lab";
    StoreSettings(list, working, 2);
    StoreSettings(list, working, -1);
    for (int i = 0; i < 2; ++i) {
        PrinterEntry e;
        list.GetPrinter(i, e);
        EXPECT_TRUE(e.wireless.ssid.empty());
    }
    StoreSettings(list, working, 1);
    PrinterEntry e;
    list.GetPrinter(1, e);
    EXPECT_EQ(e.wireless.ssid, "lab");
    EXPECT_EQ(e.chosen, 1u);  // identification is not touched
}

}
}
