#include "discovery/SnmpCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace plintor;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(const char* text)
{
    Bytes out;
    unsigned v = 0;
    int digits = 0;
    for (const char* p = text; *p; ++p) {
        char c = *p;
        int d = (c >= '0' && c <= '9') ? c - '0'
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (d < 0)
            continue;
        v = v * 16 + static_cast<unsigned>(d);
        if (++digits == 2) {
            out.push_back(static_cast<std::uint8_t>(v));
            v = 0;
            digits = 0;
        }
    }
    return out;
}

// A BER element with a definite length in the shortest form.
Bytes Tlv(std::uint8_t tag, const Bytes& content)
{
    Bytes out{tag};
    std::size_t n = content.size();
    if (n < 128) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else if (n < 256) {
        out.push_back(0x81);
        out.push_back(static_cast<std::uint8_t>(n));
    } else {
        out.push_back(0x82);
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(n));
    }
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& b : parts)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes Str(const std::string& s) { return Bytes(s.begin(), s.end()); }

const Bytes kSysObjectIdName = Hex("2B 06 01 02 01 01 02 00");

Bytes Binding(const Bytes& value) { return Tlv(0x30, Cat({Tlv(0x06, kSysObjectIdName), value})); }

Bytes Response(const std::vector<Bytes>& bindings, const std::string& community = "public",
               const Bytes& requestId = Hex("02 01 01"))
{
    Bytes list;
    for (const Bytes& b : bindings)
        list.insert(list.end(), b.begin(), b.end());
    Bytes pdu = Cat({requestId, Hex("02 01 00 02 01 00"), Tlv(0x30, list)});
    return Tlv(0x30, Cat({Hex("02 01 00"), Tlv(0x04, Str(community)), Tlv(0xA2, pdu)}));
}

struct Decoded {
    std::unique_ptr<SnmpMessage> message = std::make_unique<SnmpMessage>();
    SnmpDecodeError reason = SnmpDecodeError::None;
    int result = -1;
};

Decoded Decode(const Bytes& bytes)
{
    Decoded d;
    ClearMessage(*d.message);
    d.result = DecodeMessage(bytes.data(), bytes.size(), *d.message, &d.reason);
    return d;
}

std::unique_ptr<SnmpMessage> Request(const std::vector<std::int32_t>& name, std::uint8_t type)
{
    auto m = std::make_unique<SnmpMessage>();
    ClearMessage(*m);
    std::strcpy(m->community, "public");
    m->pduType = kSnmpGetRequest;
    m->pdu.requestId = 1;
    m->pdu.varBindCount = 1;
    SnmpVarBind& b = m->pdu.varBinds[0];
    for (std::size_t i = 0; i < name.size(); ++i)
        b.name[i] = name[i];
    b.nameLength = static_cast<std::int16_t>(4 * name.size());
    b.valueType = type;
    b.valueLength = 1;
    return m;
}

Bytes Encode(const SnmpMessage& m)
{
    Bytes buffer(kSnmpEncodeBufferSize);
    buffer.resize(EncodeMessage(m, buffer.data()));
    return buffer;
}

}

TEST(SnmpCodec, EncodesTheDiscoveryAndMacRequestsByteForByte)
{
    auto discovery = Request({1, 3, 6, 1, 2, 1, 1, 2, 0}, SnmpTag::ObjectId);
    EXPECT_EQ(Encode(*discovery),
              Hex("30 27 02 01 00 04 06 70 75 62 6C 69 63 A0 1A 02 01 01 02 01 00 02 01 00 30 0F"
                  " 30 0D 06 08 2B 06 01 02 01 01 02 00 06 01 00"));
    auto mac = Request({1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 1}, SnmpTag::OctetString);
    EXPECT_EQ(Encode(*mac),
              Hex("30 29 02 01 00 04 06 70 75 62 6C 69 63 A0 1C 02 01 01 02 01 00 02 01 00 30 11"
                  " 30 0F 06 0A 2B 06 01 02 01 02 02 01 06 01 04 01 00"));
}

TEST(SnmpCodec, EncodesIntegersInTheirShortestForm)
{
    auto m = Request({1, 3}, SnmpTag::Integer);
    struct Case { std::int32_t value; const char* content; };
    for (Case c : {Case{0, "02 01 00"}, Case{127, "02 01 7F"}, Case{128, "02 02 00 80"},
                   Case{-1, "02 01 FF"}, Case{-128, "02 01 80"}, Case{-129, "02 02 FF 7F"},
                   Case{0x7FFFFFFF, "02 04 7F FF FF FF"}, Case{256, "02 02 01 00"}}) {
        m->pdu.requestId = c.value;
        Bytes out = Encode(*m);
        Bytes want = Hex(c.content);
        // The request id follows the PDU header (13 bytes of message header, 2 of PDU).
        ASSERT_GE(out.size(), 15 + want.size());
        EXPECT_EQ(Bytes(out.begin() + 15, out.begin() + 15 + static_cast<long>(want.size())), want)
            << c.value;
    }
}

TEST(SnmpCodec, EncodesLongLengthsAndIdentifierArcs)
{
    auto m = Request({1, 3, 6, 1, 4, 1, 128, 16383, 16384, -1}, SnmpTag::OctetString);
    m->pdu.varBinds[0].valueLength = 128;
    Bytes out = Encode(*m);
    Bytes name = Hex("06 11 2B 06 01 04 01 81 00 FF 7F 81 80 00 8F FF FF FF 7F");
    EXPECT_NE(std::search(out.begin(), out.end(), name.begin(), name.end()), out.end());
    Bytes value = Hex("04 81 80 00 00");
    EXPECT_NE(std::search(out.begin(), out.end(), value.begin(), value.end()), out.end());

    m->pdu.varBinds[0].valueLength = 256;
    out = Encode(*m);
    value = Hex("04 82 01 00 00 00");
    EXPECT_NE(std::search(out.begin(), out.end(), value.begin(), value.end()), out.end());
    // The outer length counts every byte that follows it.
    ASSERT_EQ(out[0], 0x30);
    ASSERT_EQ(out[1], 0x82);
    EXPECT_EQ(static_cast<std::size_t>((out[2] << 8) | out[3]), out.size() - 4);
}

TEST(SnmpCodec, EncodesNoPduForAResponseTypeAndAnEmptyIdentifierAsOneZeroByte)
{
    auto m = Request({}, SnmpTag::ObjectId);
    Bytes out = Encode(*m);
    EXPECT_EQ(Bytes(out.end() - 8, out.end()), Hex("30 06 06 01 00 06 01 00"));
    m->pduType = kSnmpGetResponse;
    EXPECT_EQ(Encode(*m), Hex("30 0B 02 01 00 04 06 70 75 62 6C 69 63"));
}

TEST(SnmpCodec, DecodesAResponseWithEachValueKind)
{
    Bytes bytes = Response({
        Binding(Tlv(0x06, Hex("2B 06 01 04 01 82 37 01"))),
        Binding(Tlv(0x04, Hex("00 11 22 33 44 55"))),
        Binding(Hex("02 01 FF")),
        Binding(Hex("41 05 00 FF FF FF FF")),
        Binding(Hex("43 02 01 00")),
        Binding(Hex("05 00")),
        Binding(Tlv(0x40, Hex("C0 A8 01 02"))),
    });
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.result, 0) << static_cast<int>(d.reason);
    const SnmpMessage& m = *d.message;
    EXPECT_EQ(m.pduType, kSnmpGetResponse);
    EXPECT_STREQ(m.community, "public");
    EXPECT_EQ(m.pdu.requestId, 1);
    ASSERT_EQ(m.pdu.varBindCount, 7);

    char text[kSnmpOidTextSize];
    int length = m.pdu.varBinds[0].nameLength;
    EXPECT_TRUE(OidToText(m.pdu.varBinds[0].name, length, text, sizeof text));
    EXPECT_STREQ(text, "1.3.6.1.2.1.1.2.0");
    EXPECT_EQ(length, 17);

    std::int32_t arcs[kSnmpMaxArcs];
    std::memcpy(arcs, m.pdu.varBinds[0].value, sizeof arcs);
    length = m.pdu.varBinds[0].valueLength;
    OidToText(arcs, length, text, sizeof text);
    EXPECT_STREQ(text, "1.3.6.1.4.1.311.1");

    EXPECT_EQ(m.pdu.varBinds[1].valueLength, 6);
    EXPECT_EQ(std::memcmp(m.pdu.varBinds[1].value, "\x00\x11\x22\x33\x44\x55", 6), 0);
    std::int32_t v;
    std::memcpy(&v, m.pdu.varBinds[2].value, 4);
    EXPECT_EQ(v, -1);
    std::memcpy(&v, m.pdu.varBinds[3].value, 4);
    EXPECT_EQ(static_cast<std::uint32_t>(v), 0xFFFFFFFFu);
    std::memcpy(&v, m.pdu.varBinds[4].value, 4);
    EXPECT_EQ(v, 256);
    EXPECT_EQ(m.pdu.varBinds[5].valueType, SnmpTag::Null);
    EXPECT_EQ(m.pdu.varBinds[5].valueLength, 0);
    EXPECT_EQ(m.pdu.varBinds[6].valueType, SnmpTag::IpAddress);
    EXPECT_EQ(m.pdu.varBinds[6].valueLength, 4);
}

TEST(SnmpCodec, DecodesAVersionOneTrap)
{
    Bytes pdu = Cat({Tlv(0x06, Hex("2B 06 01 04 01")), Tlv(0x40, Hex("0A 00 00 01")),
                     Hex("02 01 06 02 01 01 43 02 30 39"),
                     Tlv(0x30, Binding(Tlv(0x04, Str("ok"))))});
    Bytes bytes = Tlv(0x30, Cat({Hex("02 01 00"), Tlv(0x04, Str("public")), Tlv(0xA4, pdu)}));
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.result, 0) << static_cast<int>(d.reason);
    EXPECT_EQ(d.message->pduType, kSnmpTrap);
    EXPECT_EQ(d.message->trap.enterpriseLength, 4 * 6);
    EXPECT_EQ(d.message->trap.agentAddress[0], 10);
    EXPECT_EQ(d.message->trap.genericTrap, 6);
    EXPECT_EQ(d.message->trap.timeStamp, 12345);
    EXPECT_EQ(d.message->trap.varBindCount, 1);

    Bytes shortAgent = Tlv(0x30, Cat({Hex("02 01 00"), Tlv(0x04, Str("public")),
        Tlv(0xA4, Cat({Tlv(0x06, Hex("2B")), Tlv(0x40, Hex("0A 00 00")),
                       Hex("02 01 06 02 01 01 43 01 00"), Tlv(0x30, {})}))}));
    EXPECT_EQ(Decode(shortAgent).reason, SnmpDecodeError::BadAgentAddress);
}

TEST(SnmpCodec, LimitsBindingsCommunityAndIntegers)
{
    std::vector<Bytes> thirty(30, Binding(Hex("05 00")));
    EXPECT_EQ(Decode(Response(thirty)).result, 0);
    std::vector<Bytes> thirtyOne(31, Binding(Hex("05 00")));
    EXPECT_EQ(Decode(Response(thirtyOne)).reason, SnmpDecodeError::TooManyVarBinds);

    EXPECT_EQ(Decode(Response({}, std::string(32, 'c'))).result, 0);
    EXPECT_EQ(Decode(Response({}, std::string(33, 'c'))).reason, SnmpDecodeError::CommunityTooLong);

    EXPECT_EQ(Decode(Response({}, "public", Hex("02 05 00 00 00 00 01"))).reason,
              SnmpDecodeError::IntegerTooLong);
    EXPECT_EQ(Decode(Response({}, "public", Hex("02 00"))).reason, SnmpDecodeError::IntegerTooLong);
    EXPECT_EQ(Decode(Response({}, "public", Hex("41 01 01"))).reason, SnmpDecodeError::BadTag);
    Decoded negative = Decode(Response({}, "public", Hex("02 02 FF 00")));
    ASSERT_EQ(negative.result, 0);
    EXPECT_EQ(negative.message->pdu.requestId, -256);
}

TEST(SnmpCodec, RejectsCounter64ExceptionValuesAndOtherTags)
{
    for (const char* value : {"46 01 05", "80 00", "81 00", "82 00", "01 01 00", "A2 00"}) {
        Decoded d = Decode(Response({Binding(Hex("05 00")), Binding(Hex(value))}));
        EXPECT_EQ(d.result, -1) << value;
        EXPECT_EQ(d.reason, SnmpDecodeError::UnknownValueType) << value;
    }
    EXPECT_EQ(Decode(Response({Binding(Hex("05 01 00"))})).reason, SnmpDecodeError::BadNull);
    EXPECT_EQ(Decode(Response({Binding(Hex("1F 01 00"))})).reason, SnmpDecodeError::MultiByteTag);
    EXPECT_EQ(Decode(Response({Binding(Tlv(0x04, Bytes(1024, 'x')))})).result, 0);
    EXPECT_EQ(Decode(Response({Binding(Tlv(0x04, Bytes(1025, 'x')))})).reason,
              SnmpDecodeError::ValueTooLong);
}

TEST(SnmpCodec, DecodesIdentifierArcsAndRejectsAnUnfinishedArc)
{
    Decoded d = Decode(Response({Binding(Tlv(0x06, Hex("2B")))}));
    ASSERT_EQ(d.result, 0);
    std::int32_t arcs[2];
    std::memcpy(arcs, d.message->pdu.varBinds[0].value, sizeof arcs);
    EXPECT_EQ(d.message->pdu.varBinds[0].valueLength, 8);
    EXPECT_EQ(arcs[0], 1);
    EXPECT_EQ(arcs[1], 3);

    Decoded empty = Decode(Response({Binding(Tlv(0x06, {}))}));
    ASSERT_EQ(empty.result, 0);
    EXPECT_EQ(empty.message->pdu.varBinds[0].valueLength, 0);

    EXPECT_EQ(Decode(Response({Binding(Tlv(0x06, Hex("2B 86")))})).reason,
              SnmpDecodeError::BadObjectId);
    Bytes sixty = Hex("2B");
    sixty.insert(sixty.end(), 58, 0x01);
    EXPECT_EQ(Decode(Response({Binding(Tlv(0x06, sixty))})).result, 0);
    sixty.push_back(0x01);
    EXPECT_EQ(Decode(Response({Binding(Tlv(0x06, sixty))})).reason, SnmpDecodeError::BadObjectId);
}

TEST(SnmpCodec, RejectsBadLengthFormsMismatchesAndTrailingBytes)
{
    Bytes good = Response({Binding(Tlv(0x04, Str("abc")))});
    ASSERT_EQ(Decode(good).result, 0);

    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_EQ(Decode(trailing).reason, SnmpDecodeError::TrailingBytes);

    Bytes indefinite = good;
    indefinite[1] = 0x80;
    EXPECT_EQ(Decode(indefinite).reason, SnmpDecodeError::BadLength);
    Bytes threeByte = Cat({Hex("30 83 00 00"), Bytes(good.begin() + 2, good.end())});
    EXPECT_EQ(Decode(threeByte).reason, SnmpDecodeError::BadLength);

    // The long form is accepted where the short one would do.
    Bytes longForm = Cat({Hex("30 81"), Bytes(good.begin() + 1, good.end())});
    EXPECT_EQ(Decode(longForm).result, 0);

    // A binding whose declared length runs past its content.
    Bytes padded = Response({Tlv(0x30, Cat({Tlv(0x06, kSysObjectIdName), Hex("05 00 05 00")}))});
    EXPECT_EQ(Decode(padded).reason, SnmpDecodeError::LengthMismatch);

    Bytes request = good;
    request[13] = 0xA0;
    EXPECT_EQ(Decode(request).reason, SnmpDecodeError::BadTag);
}

TEST(SnmpCodec, RejectsEveryTruncationOfAGoodMessage)
{
    Bytes good = Response({Binding(Tlv(0x06, Hex("2B 06 01 04 01 82 37 01"))),
                           Binding(Tlv(0x04, Bytes(300, 'm')))});
    ASSERT_EQ(Decode(good).result, 0);
    for (std::size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_EQ(Decode(cut).result, -1) << n;
    }
    SnmpMessage* m = new SnmpMessage;
    EXPECT_EQ(DecodeMessage(nullptr, 0, *m), -1);
    delete m;
}

TEST(SnmpCodec, OidToTextWritesSignedArcsAndStopsAtTheCapacity)
{
    std::int32_t arcs[] = {1, 3, -5, 2147483647};
    int length = 16;
    char text[64];
    EXPECT_TRUE(OidToText(arcs, length, text, sizeof text));
    EXPECT_STREQ(text, "1.3.-5.2147483647");
    EXPECT_EQ(length, 17);

    length = 16;
    char small[8];
    EXPECT_FALSE(OidToText(arcs, length, small, sizeof small));
    EXPECT_STREQ(small, "1.3.-5");
    EXPECT_EQ(length, 6);

    length = 0;
    EXPECT_TRUE(OidToText(arcs, length, text, sizeof text));
    EXPECT_STREQ(text, "");
}

TEST(SnmpCodec, RoundTripsARequestThroughAResponseLayout)
{
    // What the stand-in agent does: take a request, answer with the same layout.
    auto m = Request({1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 1}, SnmpTag::OctetString);
    m->pdu.requestId = 0x12345678;
    m->pdu.varBinds[0].valueLength = 6;
    std::memcpy(m->pdu.varBinds[0].value, "\xAA\xBB\xCC\xDD\xEE\xFF", 6);
    Bytes out = Encode(*m);
    out[13] = 0xA2;
    Decoded d = Decode(out);
    ASSERT_EQ(d.result, 0) << static_cast<int>(d.reason);
    EXPECT_EQ(d.message->pdu.requestId, 0x12345678);
    EXPECT_EQ(d.message->pdu.varBinds[0].nameLength, 44);
    EXPECT_EQ(d.message->pdu.varBinds[0].valueLength, 6);
    EXPECT_EQ(std::memcmp(d.message->pdu.varBinds[0].value, "\xAA\xBB\xCC\xDD\xEE\xFF", 6), 0);
}
