#include "platform/UsbPrinterClass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plintor::platform {
namespace {

std::string Parse(const std::string& raw)
{
    return ParseDeviceIdAnswer(std::span(reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
}

std::string WithLength(const std::string& id, bool bigEndian, std::size_t pad = 1024)
{
    std::size_t length = id.size() + 2;
    std::string raw;
    unsigned char high = static_cast<unsigned char>(length >> 8);
    unsigned char low = static_cast<unsigned char>(length & 0xff);
    raw.push_back(static_cast<char>(bigEndian ? high : low));
    raw.push_back(static_cast<char>(bigEndian ? low : high));
    raw += id;
    raw.resize(pad, '\0');
    return raw;
}

TEST(UsbDeviceId, LengthInEitherByteOrder)
{
    const std::string id = "MFG:Plintor;MDL:MFP 7;CMD:PJL;";
    EXPECT_EQ(Parse(WithLength(id, true)), id);
    EXPECT_EQ(Parse(WithLength(id, false)), id);
    // An id of more than 255 bytes makes both length bytes count.
    std::string longId = "MFG:Plintor;MDL:" + std::string(400, 'M') + ";";
    EXPECT_EQ(Parse(WithLength(longId, true)), longId);
    EXPECT_EQ(Parse(WithLength(longId, false)), longId);
}

TEST(UsbDeviceId, LengthThatFitsNeitherWayRunsToTheFirstNul)
{
    std::string raw = "\xff\xff" "MFG:X;MDL:Y;";
    raw += std::string(3, '\0');
    EXPECT_EQ(Parse(raw), "MFG:X;MDL:Y;");
    EXPECT_EQ(Parse(""), "");
    EXPECT_EQ(Parse("\x00"), "");
    EXPECT_EQ(Parse(std::string("\x00\x02", 2)), "");
    // A length shorter than the text cuts it there.
    EXPECT_EQ(Parse(std::string("\x00\x05MFG:X;", 8)), "MFG");
}

}
}
