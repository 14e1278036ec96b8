// libFuzzer target for the SNMP message decoder: any input either decodes to a message
// that respects the record limits, or is refused, without reading past the input.
#include "discovery/SnmpCodec.h"

#include <cstdlib>
#include <cstring>

using namespace plintor;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckBindings(const SnmpVarBind* binds, std::uint16_t count)
{
    Check(count <= kSnmpMaxVarBinds);
    char text[kSnmpOidTextSize];
    for (std::uint16_t i = 0; i < count; ++i) {
        const SnmpVarBind& b = binds[i];
        Check(b.nameLength >= 0 && b.nameLength <= 4 * kSnmpMaxArcs && b.nameLength % 4 == 0);
        Check(b.valueLength >= 0 && b.valueLength <= kSnmpValueSize);
        int length = b.nameLength;
        Check(OidToText(b.name, length, text, sizeof text));
        Check(std::strlen(text) == static_cast<std::size_t>(length));
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static SnmpMessage message;
    ClearMessage(message);
    SnmpDecodeError reason = SnmpDecodeError::None;
    int result = DecodeMessage(data, size, message, &reason);
    if (result != 0) {
        Check(result == -1 && reason != SnmpDecodeError::None);
        return 0;
    }
    Check(reason == SnmpDecodeError::None);
    Check(std::memchr(message.community, 0, sizeof message.community) != nullptr);
    Check(message.pduType == kSnmpGetResponse || message.pduType == kSnmpTrap);
    if (message.pduType == kSnmpGetResponse)
        CheckBindings(message.pdu.varBinds, message.pdu.varBindCount);
    else
        CheckBindings(message.trap.varBinds, message.trap.varBindCount);

    // A decoded response re-encoded as a request decodes again to the same bindings.
    if (message.pduType == kSnmpGetResponse) {
        static std::uint8_t buffer[kSnmpEncodeBufferSize];
        message.pduType = kSnmpGetRequest;
        std::size_t n = EncodeMessage(message, buffer);
        Check(n > 13 && n <= sizeof buffer);
        static SnmpMessage again;
        ClearMessage(again);
        // The request tag sits after the header and the community.
        std::size_t header = (buffer[1] < 0x80) ? 2 : (buffer[1] == 0x81 ? 3 : 4);
        std::size_t versionSize = 2 + buffer[header + 1];
        std::size_t tagAt = header + versionSize + 2 + buffer[header + versionSize + 1];
        Check(tagAt < n && buffer[tagAt] == 0xA0);
        buffer[tagAt] = 0xA2;
        Check(DecodeMessage(buffer, n, again) == 0);
        Check(again.pdu.varBindCount == message.pdu.varBindCount);
        for (std::uint16_t i = 0; i < again.pdu.varBindCount; ++i) {
            Check(again.pdu.varBinds[i].valueType == message.pdu.varBinds[i].valueType);
            // An identifier without arcs is written as the single content byte 0x00, which
            // reads back as the two arcs 0.0.
            if (message.pdu.varBinds[i].valueType == SnmpTag::ObjectId && message.pdu.varBinds[i].valueLength == 0) {
                const std::int32_t zero[2] = {0, 0};
                Check(again.pdu.varBinds[i].valueLength == 8);
                Check(std::memcmp(again.pdu.varBinds[i].value, zero, sizeof zero) == 0);
                continue;
            }
            Check(again.pdu.varBinds[i].valueLength == message.pdu.varBinds[i].valueLength);
            Check(std::memcmp(again.pdu.varBinds[i].value, message.pdu.varBinds[i].value,
                              static_cast<std::size_t>(again.pdu.varBinds[i].valueLength)) == 0);
        }
    }
    return 0;
}
