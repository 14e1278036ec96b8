#include "app/OsVersionCode.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

using platform::OsVersionRecord;

OsVersionRecord Record(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor, std::uint8_t product = 0,
    std::uint16_t suite = 0, std::uint32_t build = 0)
{
    OsVersionRecord record;
    record.platformId = platformId;
    record.majorVersion = major;
    record.minorVersion = minor;
    record.productType = product;
    record.suiteMask = suite;
    record.buildNumber = build;
    return record;
}

constexpr std::uint32_t kConsumer = OsVersionRecord::kPlatformConsumer;
constexpr std::uint32_t kNt = OsVersionRecord::kPlatformNt;
constexpr std::uint8_t kWorkstation = OsVersionRecord::kProductWorkstation;
constexpr std::uint8_t kServer = 3;

TEST(OsVersionCode, ConsumerLine)
{
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 4, 0)), 1);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 4, 10, 0, 0, 0x045A0000)), 3);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 4, 10, 0, 0, 0x04100000)), 2);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 4, 90)), 3);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 4, 20)), 0);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 5, 0)), 0);
}

TEST(OsVersionCode, NtLine)
{
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 3, 51)), 11);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 3, 50)), 0);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 4, 0)), 12);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 0, kWorkstation)), 13);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 0, kServer)), 14);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 1, kWorkstation, 0x0200)), 15);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 1, kWorkstation, 0x0100)), 16);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 2, kWorkstation, 0x0200)), 15);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 2, kWorkstation)), 16);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 2, kServer, 0x0200)), 17);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 5, 3)), 255);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 6, 0, kWorkstation)), 18);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 6, 0, kServer)), 19);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 6, 1, kWorkstation)), 20);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 6, 1)), 21);   // the plain record has no product type
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 6, 2, kWorkstation)), 255);
    EXPECT_EQ(GetOsVersionCode(Record(3, 6, 1, kWorkstation)), 0);
    EXPECT_EQ(GetOsVersionCode(std::nullopt), 0);
}

// Windows 10 and 11 report 10.0, and the table of the older systems refused them as
// unsupported; later versions are supported too, versions that never existed are not.
TEST(OsVersionCode, WindowsTenAndElevenWereRefusedAsUnsupported)
{
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 10, 0, kWorkstation, 0, 22631)), kOsCodeNt10Workstation);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 10, 0, kServer)), kOsCodeNt10Server);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 10, 0)), kOsCodeNt10Server);   // plain record
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 10, 1, kWorkstation)), kOsCodeNewerNt);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 11, 0, kWorkstation)), kOsCodeNewerNt);
    for (int code : {kOsCodeNt10Workstation, kOsCodeNt10Server, kOsCodeNewerNt})
        EXPECT_GE(code, kOsCodeFirstSupported);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 7, 0, kWorkstation)), 0);
    EXPECT_EQ(GetOsVersionCode(Record(kNt, 9, 0, kWorkstation)), 0);
    EXPECT_EQ(GetOsVersionCode(Record(kConsumer, 10, 0)), 0);
}

TEST(OsVersionCode, ThisSystemIsSupported)
{
    EXPECT_GE(GetOsVersionCode(), kOsCodeFirstSupported);
}

}
}
