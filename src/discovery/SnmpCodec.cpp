#include "discovery/SnmpCodec.h"

#include <cstdio>
#include <cstring>

// The BER subset of SNMPv1. Encoding computes every length before it writes, so the
// message goes out in one forward pass; decoding walks the input once, and every step
// returns the position after what it read, or null when the input does not hold it.

namespace plintor {

namespace {

bool IsIntegerLike(std::uint8_t tag)
{
    return tag == SnmpTag::Integer || tag == SnmpTag::Counter32 || tag == SnmpTag::Gauge32
        || tag == SnmpTag::TimeTicks;
}

bool IsStringLike(std::uint8_t tag)
{
    return tag == SnmpTag::OctetString || tag == SnmpTag::IpAddress || tag == SnmpTag::Opaque;
}

// ---- encoding ----------------------------------------------------------------------

std::uint16_t LengthFieldSize(std::uint16_t length)
{
    if (length < 128)
        return 1;
    if (length < 256)
        return 2;
    return 3;
}

std::uint16_t ElementSize(std::uint16_t contentLength)
{
    return static_cast<std::uint16_t>(1 + LengthFieldSize(contentLength) + contentLength);
}

std::uint16_t IntegerContentSize(std::int32_t value)
{
    // Drop a leading byte while the top nine bits of what remains are all equal.
    std::int64_t v = value;
    std::uint16_t size = 4;
    while (size > 1) {
        std::int64_t top = v >> (8 * size - 9);
        if (top != 0 && top != -1)
            break;
        --size;
    }
    return size;
}

int ArcCount(std::int16_t byteLength)
{
    if (byteLength < 4)
        return 0;
    int arcs = byteLength / 4;
    return arcs > kSnmpMaxArcs ? kSnmpMaxArcs : arcs;
}

std::uint16_t Base128Size(std::uint32_t arc)
{
    std::uint16_t size = 1;
    while (arc >= 0x80) {
        arc >>= 7;
        ++size;
    }
    return size;
}

std::uint16_t ObjectIdContentSize(const std::int32_t* arcs, int count)
{
    if (count < 2)
        return 1;
    std::uint16_t size = 1;
    for (int i = 2; i < count; ++i)
        size = static_cast<std::uint16_t>(size + Base128Size(static_cast<std::uint32_t>(arcs[i])));
    return size;
}

std::uint16_t StringLength(std::int16_t valueLength)
{
    if (valueLength < 0)
        return 0;
    return valueLength > kSnmpValueSize ? kSnmpValueSize : static_cast<std::uint16_t>(valueLength);
}

std::uint16_t ValueContentSize(const SnmpVarBind& bind)
{
    if (IsIntegerLike(bind.valueType)) {
        std::int32_t v;
        std::memcpy(&v, bind.value, sizeof v);
        return IntegerContentSize(v);
    }
    if (IsStringLike(bind.valueType))
        return StringLength(bind.valueLength);
    if (bind.valueType == SnmpTag::ObjectId) {
        std::int32_t arcs[kSnmpMaxArcs];
        std::memcpy(arcs, bind.value, sizeof arcs);
        return ObjectIdContentSize(arcs, ArcCount(bind.valueLength));
    }
    return 0;
}

std::uint16_t VarBindContentSize(const SnmpVarBind& bind)
{
    std::uint16_t name = ObjectIdContentSize(bind.name, ArcCount(bind.nameLength));
    return static_cast<std::uint16_t>(ElementSize(name) + ElementSize(ValueContentSize(bind)));
}

class Writer {
public:
    explicit Writer(std::uint8_t* out) : out(out) {}

    std::size_t Written() const { return static_cast<std::size_t>(position - out); }

    void Byte(std::uint8_t b) { *position++ = b; }

    void Header(std::uint8_t tag, std::uint16_t length)
    {
        Byte(tag);
        if (length < 128) {
            Byte(static_cast<std::uint8_t>(length));
        } else if (length < 256) {
            Byte(0x81);
            Byte(static_cast<std::uint8_t>(length));
        } else {
            Byte(0x82);
            Byte(static_cast<std::uint8_t>(length >> 8));
            Byte(static_cast<std::uint8_t>(length));
        }
    }

    void Integer(std::uint8_t tag, std::int32_t value)
    {
        std::uint16_t size = IntegerContentSize(value);
        Header(tag, size);
        auto u = static_cast<std::uint32_t>(value);
        for (int i = size - 1; i >= 0; --i)
            Byte(static_cast<std::uint8_t>(u >> (8 * i)));
    }

    void ObjectId(const std::int32_t* arcs, int count)
    {
        Header(SnmpTag::ObjectId, ObjectIdContentSize(arcs, count));
        if (count == 0) {
            Byte(0);
            return;
        }
        if (count == 1) {
            Byte(static_cast<std::uint8_t>(arcs[0] * 40));
            return;
        }
        Byte(static_cast<std::uint8_t>(arcs[0] * 40 + arcs[1]));
        for (int i = 2; i < count; ++i) {
            auto arc = static_cast<std::uint32_t>(arcs[i]);
            for (int group = Base128Size(arc) - 1; group >= 0; --group) {
                auto bits = static_cast<std::uint8_t>((arc >> (7 * group)) & 0x7F);
                Byte(group > 0 ? static_cast<std::uint8_t>(bits | 0x80) : bits);
            }
        }
    }

    void Bytes(std::uint8_t tag, const void* data, std::uint16_t length)
    {
        Header(tag, length);
        std::memcpy(position, data, length);
        position += length;
    }

    void Value(const SnmpVarBind& bind)
    {
        if (IsIntegerLike(bind.valueType)) {
            std::int32_t v;
            std::memcpy(&v, bind.value, sizeof v);
            Integer(bind.valueType, v);
        } else if (IsStringLike(bind.valueType)) {
            Bytes(bind.valueType, bind.value, StringLength(bind.valueLength));
        } else if (bind.valueType == SnmpTag::ObjectId) {
            std::int32_t arcs[kSnmpMaxArcs];
            std::memcpy(arcs, bind.value, sizeof arcs);
            ObjectId(arcs, ArcCount(bind.valueLength));
        } else {
            Header(bind.valueType, 0);
        }
    }

private:
    std::uint8_t* out;
    std::uint8_t* position = out;
};

std::uint8_t RequestTag(std::uint8_t pduType)
{
    switch (pduType) {
    case kSnmpGetRequest: return SnmpTag::GetRequest;
    case kSnmpGetNextRequest: return SnmpTag::GetNextRequest;
    case kSnmpSetRequest: return SnmpTag::SetRequest;
    default: return 0;
    }
}

// ---- decoding ----------------------------------------------------------------------

using Pos = const std::uint8_t*;

struct Input {
    Pos end;
    SnmpDecodeError* reason;

    Pos Fail(SnmpDecodeError why) const
    {
        if (reason && *reason == SnmpDecodeError::None)
            *reason = why;
        return nullptr;
    }
};

// Reads one identifier octet and the definite length after it; the content must fit in
// what is left before limit.
Pos ReadHeader(const Input& in, Pos p, Pos limit, std::uint8_t& tag, std::uint16_t& length)
{
    if (p >= limit)
        return in.Fail(SnmpDecodeError::Truncated);
    tag = *p++;
    if ((tag & 0x1F) == 0x1F)
        return in.Fail(SnmpDecodeError::MultiByteTag);
    if (p >= limit)
        return in.Fail(SnmpDecodeError::Truncated);
    std::uint8_t first = *p++;
    if (first < 0x80) {
        length = first;
    } else if (first == 0x81) {
        if (limit - p < 1)
            return in.Fail(SnmpDecodeError::Truncated);
        length = p[0];
        p += 1;
    } else if (first == 0x82) {
        if (limit - p < 2)
            return in.Fail(SnmpDecodeError::Truncated);
        length = static_cast<std::uint16_t>((p[0] << 8) | p[1]);
        p += 2;
    } else {
        return in.Fail(SnmpDecodeError::BadLength);
    }
    if (limit - p < length)
        return in.Fail(SnmpDecodeError::Truncated);
    return p;
}

Pos ExpectHeader(const Input& in, Pos p, Pos limit, std::uint8_t wanted, std::uint16_t& length)
{
    std::uint8_t tag = 0;
    p = ReadHeader(in, p, limit, tag, length);
    if (!p)
        return nullptr;
    if (tag != wanted)
        return in.Fail(SnmpDecodeError::BadTag);
    return p;
}

Pos ReadIntegerContent(const Input& in, Pos p, std::uint16_t length, std::uint8_t tag,
                       std::int32_t& value)
{
    // Unsigned types above 2^31 arrive with a leading zero octet; that fifth octet
    // carries no information and is accepted for them.
    if (length == 5 && tag != SnmpTag::Integer && p[0] == 0) {
        ++p;
        --length;
    }
    if (length < 1 || length > 4)
        return in.Fail(SnmpDecodeError::IntegerTooLong);
    std::uint32_t v = (p[0] & 0x80) ? 0xFFFFFFFFu : 0u;
    for (std::uint16_t i = 0; i < length; ++i)
        v = (v << 8) | p[i];
    value = static_cast<std::int32_t>(v);
    return p + length;
}

Pos ReadInteger(const Input& in, Pos p, Pos limit, std::uint8_t tag, std::int32_t& value)
{
    std::uint16_t length = 0;
    p = ExpectHeader(in, p, limit, tag, length);
    if (!p)
        return nullptr;
    return ReadIntegerContent(in, p, length, tag, value);
}

Pos ReadObjectIdContent(const Input& in, Pos p, std::uint16_t length, std::int32_t* arcs,
                        std::int16_t& byteLength)
{
    byteLength = 0;
    if (length == 0)
        return p;
    Pos end = p + length;
    int count = 0;
    arcs[count++] = p[0] / 40;
    arcs[count++] = p[0] % 40;
    ++p;
    while (p < end) {
        if (count >= kSnmpMaxArcs)
            return in.Fail(SnmpDecodeError::BadObjectId);
        std::uint32_t arc = 0;
        std::uint8_t b = 0;
        do {
            if (p >= end)
                return in.Fail(SnmpDecodeError::BadObjectId);
            b = *p++;
            arc = (arc << 7) | (b & 0x7F);
        } while (b & 0x80);
        arcs[count++] = static_cast<std::int32_t>(arc);
    }
    byteLength = static_cast<std::int16_t>(4 * count);
    return p;
}

Pos ReadValue(const Input& in, Pos p, Pos limit, SnmpVarBind& bind)
{
    std::uint8_t tag = 0;
    std::uint16_t length = 0;
    p = ReadHeader(in, p, limit, tag, length);
    if (!p)
        return nullptr;
    bind.valueType = tag;
    if (IsIntegerLike(tag)) {
        std::int32_t v = 0;
        p = ReadIntegerContent(in, p, length, tag, v);
        if (!p)
            return nullptr;
        std::memcpy(bind.value, &v, sizeof v);
        bind.valueLength = 4;
        return p;
    }
    if (IsStringLike(tag)) {
        if (length > kSnmpValueSize)
            return in.Fail(SnmpDecodeError::ValueTooLong);
        std::memcpy(bind.value, p, length);
        bind.valueLength = static_cast<std::int16_t>(length);
        return p + length;
    }
    if (tag == SnmpTag::ObjectId) {
        std::int32_t arcs[kSnmpMaxArcs] = {};
        std::int16_t byteLength = 0;
        p = ReadObjectIdContent(in, p, length, arcs, byteLength);
        if (!p)
            return nullptr;
        std::memcpy(bind.value, arcs, static_cast<std::size_t>(byteLength));
        bind.valueLength = byteLength;
        return p;
    }
    if (tag == SnmpTag::Null) {
        if (length != 0)
            return in.Fail(SnmpDecodeError::BadNull);
        bind.valueLength = 0;
        return p;
    }
    return in.Fail(SnmpDecodeError::UnknownValueType);
}

Pos ReadVarBind(const Input& in, Pos p, Pos limit, SnmpVarBind& bind)
{
    std::uint16_t length = 0;
    p = ExpectHeader(in, p, limit, SnmpTag::Sequence, length);
    if (!p)
        return nullptr;
    Pos end = p + length;
    std::uint16_t nameLength = 0;
    p = ExpectHeader(in, p, end, SnmpTag::ObjectId, nameLength);
    if (!p)
        return nullptr;
    p = ReadObjectIdContent(in, p, nameLength, bind.name, bind.nameLength);
    if (!p)
        return nullptr;
    p = ReadValue(in, p, end, bind);
    if (!p)
        return nullptr;
    if (p != end)
        return in.Fail(SnmpDecodeError::LengthMismatch);
    return p;
}

Pos ReadVarBindList(const Input& in, Pos p, Pos limit, SnmpVarBind* binds, std::uint16_t& count)
{
    std::uint16_t length = 0;
    p = ExpectHeader(in, p, limit, SnmpTag::Sequence, length);
    if (!p)
        return nullptr;
    Pos end = p + length;
    count = 0;
    while (p < end) {
        if (count >= kSnmpMaxVarBinds)
            return in.Fail(SnmpDecodeError::TooManyVarBinds);
        p = ReadVarBind(in, p, end, binds[count]);
        if (!p)
            return nullptr;
        ++count;
    }
    return p;
}

Pos ReadResponse(const Input& in, Pos p, Pos end, SnmpPdu& pdu)
{
    p = ReadInteger(in, p, end, SnmpTag::Integer, pdu.requestId);
    if (p)
        p = ReadInteger(in, p, end, SnmpTag::Integer, pdu.errorStatus);
    if (p)
        p = ReadInteger(in, p, end, SnmpTag::Integer, pdu.errorIndex);
    if (p)
        p = ReadVarBindList(in, p, end, pdu.varBinds, pdu.varBindCount);
    return p;
}

Pos ReadTrap(const Input& in, Pos p, Pos end, SnmpTrapPdu& trap)
{
    std::uint16_t length = 0;
    p = ExpectHeader(in, p, end, SnmpTag::ObjectId, length);
    if (!p)
        return nullptr;
    p = ReadObjectIdContent(in, p, length, trap.enterprise, trap.enterpriseLength);
    if (!p)
        return nullptr;
    p = ExpectHeader(in, p, end, SnmpTag::IpAddress, length);
    if (!p)
        return nullptr;
    if (length != 4)
        return in.Fail(SnmpDecodeError::BadAgentAddress);
    std::memcpy(trap.agentAddress, p, 4);
    p += 4;
    p = ReadInteger(in, p, end, SnmpTag::Integer, trap.genericTrap);
    if (p)
        p = ReadInteger(in, p, end, SnmpTag::Integer, trap.specificTrap);
    if (p)
        p = ReadInteger(in, p, end, SnmpTag::TimeTicks, trap.timeStamp);
    if (p)
        p = ReadVarBindList(in, p, end, trap.varBinds, trap.varBindCount);
    return p;
}

}

void ClearMessage(SnmpMessage& message)
{
    std::memset(&message, 0, sizeof message);
}

std::size_t EncodeMessage(const SnmpMessage& message, std::uint8_t* buffer)
{
    int bindCount = message.pdu.varBindCount > kSnmpMaxVarBinds ? kSnmpMaxVarBinds
                                                                 : message.pdu.varBindCount;
    std::uint8_t pduTag = RequestTag(message.pduType);
    auto communityLength = static_cast<std::uint16_t>(
        strnlen(message.community, sizeof message.community));

    std::uint16_t listContent = 0;
    for (int i = 0; i < bindCount; ++i)
        listContent = static_cast<std::uint16_t>(
            listContent + ElementSize(VarBindContentSize(message.pdu.varBinds[i])));
    std::uint16_t pduContent = 0;
    if (pduTag) {
        pduContent = static_cast<std::uint16_t>(
            ElementSize(IntegerContentSize(message.pdu.requestId)) + 2 * ElementSize(1)
            + ElementSize(listContent));
    }
    std::uint16_t messageContent = static_cast<std::uint16_t>(
        ElementSize(IntegerContentSize(message.version)) + ElementSize(communityLength)
        + (pduTag ? ElementSize(pduContent) : 0));

    Writer out(buffer);
    out.Header(SnmpTag::Sequence, messageContent);
    out.Integer(SnmpTag::Integer, message.version);
    out.Bytes(SnmpTag::OctetString, message.community, communityLength);
    if (pduTag) {
        out.Header(pduTag, pduContent);
        out.Integer(SnmpTag::Integer, message.pdu.requestId);
        out.Integer(SnmpTag::Integer, 0);
        out.Integer(SnmpTag::Integer, 0);
        out.Header(SnmpTag::Sequence, listContent);
        for (int i = 0; i < bindCount; ++i) {
            const SnmpVarBind& bind = message.pdu.varBinds[i];
            out.Header(SnmpTag::Sequence, VarBindContentSize(bind));
            out.ObjectId(bind.name, ArcCount(bind.nameLength));
            out.Value(bind);
        }
    }
    return out.Written();
}

int DecodeMessage(const std::uint8_t* bytes, std::size_t length, SnmpMessage& message,
                  SnmpDecodeError* reason)
{
    if (reason)
        *reason = SnmpDecodeError::None;
    if (!bytes)
        length = 0;
    Input in{bytes + length, reason};
    Pos p = bytes;
    std::uint16_t messageLength = 0;
    p = ExpectHeader(in, p, in.end, SnmpTag::Sequence, messageLength);
    if (!p)
        return -1;
    Pos messageEnd = p + messageLength;

    p = ReadInteger(in, p, messageEnd, SnmpTag::Integer, message.version);
    if (!p)
        return -1;
    std::uint16_t communityLength = 0;
    p = ExpectHeader(in, p, messageEnd, SnmpTag::OctetString, communityLength);
    if (!p)
        return -1;
    if (communityLength > kSnmpCommunityMax) {
        in.Fail(SnmpDecodeError::CommunityTooLong);
        return -1;
    }
    std::memcpy(message.community, p, communityLength);
    message.community[communityLength] = '\0';
    p += communityLength;

    std::uint8_t pduTag = 0;
    std::uint16_t pduLength = 0;
    p = ReadHeader(in, p, messageEnd, pduTag, pduLength);
    if (!p)
        return -1;
    Pos pduEnd = p + pduLength;
    if (pduTag == SnmpTag::GetResponse) {
        message.pduType = kSnmpGetResponse;
        p = ReadResponse(in, p, pduEnd, message.pdu);
    } else if (pduTag == SnmpTag::Trap) {
        message.pduType = kSnmpTrap;
        p = ReadTrap(in, p, pduEnd, message.trap);
    } else {
        in.Fail(SnmpDecodeError::BadTag);
        return -1;
    }
    if (!p)
        return -1;
    if (p != pduEnd || p != messageEnd) {
        in.Fail(SnmpDecodeError::LengthMismatch);
        return -1;
    }
    if (p != in.end) {
        in.Fail(SnmpDecodeError::TrailingBytes);
        return -1;
    }
    return 0;
}

bool OidToText(const std::int32_t* arcs, int& lengthInOut, char* text, std::size_t capacity)
{
    int count = lengthInOut < 4 ? 0 : lengthInOut / 4;
    if (count > kSnmpMaxArcs)
        count = kSnmpMaxArcs;
    std::size_t written = 0;
    bool fits = true;
    if (capacity > 0)
        text[0] = '\0';
    for (int i = 0; i < count; ++i) {
        char piece[16];
        int n = std::snprintf(piece, sizeof piece, i == 0 ? "%d" : ".%d", static_cast<int>(arcs[i]));
        if (capacity == 0 || written + static_cast<std::size_t>(n) >= capacity) {
            fits = false;
            break;
        }
        std::memcpy(text + written, piece, static_cast<std::size_t>(n) + 1);
        written += static_cast<std::size_t>(n);
    }
    lengthInOut = static_cast<int>(written);
    return fits;
}

}
