#include "core/PrinterList.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

PrinterEntry WithMac(const std::string& mac, const std::string& note = {})
{
    PrinterEntry entry;
    entry.macAddress = mac;
    entry.note = note;
    return entry;
}

TEST(PrinterList, NewEntryHasCreationDefaults)
{
    PrinterEntry entry;
    EXPECT_EQ(entry.chosen, 0u);
    EXPECT_EQ(entry.connection, -1);
    EXPECT_EQ(entry.options, -1);
    EXPECT_EQ(entry.ipv6Only, 0);
    EXPECT_EQ(entry.usbPortNumber, 0u);
    EXPECT_TRUE(entry.macAddress.empty() && entry.addressIpv4.empty() && entry.addressIpv6.empty());
    EXPECT_EQ(entry.ip.subnetMask, 0xFF000000u);
    EXPECT_EQ(entry.ip.ipv6PrefixLength, 64u);
    EXPECT_EQ(entry.ip.stackMode, 0u);
    EXPECT_EQ(entry.ip.ipv4Mode, 0u);
    EXPECT_EQ(entry.ip.ipv4Address, 0u);
    EXPECT_EQ(entry.ip.gateway, 0u);
    EXPECT_EQ(entry.ip.ipv6Manual, 0u);
    EXPECT_EQ(entry.wireless, WirelessSettings{});
    EXPECT_TRUE(entry.wireless.ssid.empty() && entry.wireless.wepKey.empty() && entry.wireless.passphrase.empty());
    EXPECT_EQ(entry.wireless.networkType + entry.wireless.security + entry.wireless.transmitKey, 0u);
    EXPECT_EQ(entry.panelLanguage, 1033);
    EXPECT_TRUE(entry.fax.companyName.empty() && entry.fax.faxNumber.empty());
}

TEST(PrinterList, SortByMacIsAscendingAndKeepsOrderOfCaseOnlyDifferences)
{
    PrinterList list;
    list.Add(WithMac("00AA00000002"));
    list.Add(WithMac("00aa00000001", "lower"));
    list.Add(WithMac("00AA00000001", "upper"));
    list.Add(WithMac("000000000009"));
    list.SortByMac();
    ASSERT_EQ(list.Count(), 4);
    PrinterEntry e;
    list.GetPrinter(0, e);
    EXPECT_EQ(e.macAddress, "000000000009");
    list.GetPrinter(1, e);
    EXPECT_EQ(e.note, "lower");
    list.GetPrinter(2, e);
    EXPECT_EQ(e.note, "upper");
    list.GetPrinter(3, e);
    EXPECT_EQ(e.macAddress, "00AA00000002");
}

TEST(PrinterList, AddTypedPrinterSortsAddressIntoItsFamily)
{
    PrinterList list;
    EXPECT_EQ(list.AddTypedPrinter("192.168.0.9", "0011223344AA", 1), 0);
    EXPECT_EQ(list.AddTypedPrinter("fd00::9", "0011223344BB", 0), 1);
    PrinterEntry v4, v6;
    ASSERT_TRUE(list.GetPrinter(0, v4));
    ASSERT_TRUE(list.GetPrinter(1, v6));
    EXPECT_EQ(v4.connection, 2);
    EXPECT_EQ(v4.ipv6Only, 0);
    EXPECT_EQ(v4.addressIpv4, "192.168.0.9");
    EXPECT_TRUE(v4.addressIpv6.empty());
    EXPECT_EQ(v4.options, 1);
    EXPECT_EQ(v4.NetworkAddress(), "192.168.0.9");
    EXPECT_EQ(v6.ipv6Only, 1);
    EXPECT_EQ(v6.addressIpv6, "fd00::9");
    EXPECT_TRUE(v6.addressIpv4.empty());
    EXPECT_EQ(v6.macAddress, "0011223344BB");
    EXPECT_EQ(v6.NetworkAddress(), "fd00::9");
}

TEST(PrinterList, ReadsAndWritesRefuseIndexesOutsideTheList)
{
    PrinterList list;
    PrinterEntry out = WithMac("untouched");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.GetPrinter(0, out));
    EXPECT_FALSE(list.ReplacePrinter(0, WithMac("x")));
    list.Add(WithMac("A"));
    list.Add(WithMac("B"));
    EXPECT_FALSE(list.GetPrinter(2, out));
    EXPECT_FALSE(list.GetPrinter(-1, out));
    EXPECT_EQ(out.macAddress, "untouched");
    EXPECT_TRUE(list.ReplacePrinter(1, WithMac("C")));
    ASSERT_TRUE(list.GetPrinter(1, out));
    EXPECT_EQ(out.macAddress, "C");
    list.RemovePrinter(5);
    list.RemovePrinter(-1);
    EXPECT_EQ(list.Count(), 2);
    list.RemovePrinter(0);
    ASSERT_EQ(list.Count(), 1);
    list.GetPrinter(0, out);
    EXPECT_EQ(out.macAddress, "C");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(PrinterList, RemovePrintersByMacRemovesAdjacentMatchesWhateverTheirCase)
{
    PrinterList list;
    list.Add(WithMac("0011223344AA"));
    list.Add(WithMac("0011223344aa"));
    list.Add(WithMac("0011223344BB"));
    list.Add(WithMac("0011223344AA"));
    list.RemovePrintersByMac("0011223344Aa");
    ASSERT_EQ(list.Count(), 1);
    PrinterEntry e;
    list.GetPrinter(0, e);
    EXPECT_EQ(e.macAddress, "0011223344BB");
}

}
}
