#pragma once

#include <cstdint>

namespace plintor {

// Fixed-size records of one SNMPv1 message. The codec reads and writes them without
// allocating; ClearMessage sets every field and every value byte to zero.

inline constexpr int kSnmpMaxArcs = 60;
inline constexpr int kSnmpMaxVarBinds = 30;
inline constexpr int kSnmpValueSize = 1024;
inline constexpr int kSnmpCommunityMax = 32;

// BER tags of the values the codec handles.
namespace SnmpTag {
inline constexpr std::uint8_t Integer = 0x02;
inline constexpr std::uint8_t OctetString = 0x04;
inline constexpr std::uint8_t Null = 0x05;
inline constexpr std::uint8_t ObjectId = 0x06;
inline constexpr std::uint8_t Sequence = 0x30;
inline constexpr std::uint8_t IpAddress = 0x40;
inline constexpr std::uint8_t Counter32 = 0x41;
inline constexpr std::uint8_t Gauge32 = 0x42;
inline constexpr std::uint8_t TimeTicks = 0x43;
inline constexpr std::uint8_t Opaque = 0x44;
inline constexpr std::uint8_t Counter64 = 0x46;
inline constexpr std::uint8_t GetRequest = 0xA0;
inline constexpr std::uint8_t GetNextRequest = 0xA1;
inline constexpr std::uint8_t GetResponse = 0xA2;
inline constexpr std::uint8_t SetRequest = 0xA3;
inline constexpr std::uint8_t Trap = 0xA4;
}

// The pduType codes of SnmpMessage.
enum SnmpPduType : std::uint8_t {
    kSnmpGetRequest = 1,
    kSnmpGetNextRequest = 2,
    kSnmpGetResponse = 3,
    kSnmpSetRequest = 4,
    kSnmpTrap = 5,
};

struct SnmpVarBind {
    std::int16_t nameLength; // 4 x number of arcs
    std::int32_t name[kSnmpMaxArcs];
    std::uint8_t valueType; // BER tag of the value
    std::int16_t valueLength; // octets, 4 for integers, 4 x arcs for identifiers
    std::uint8_t value[kSnmpValueSize];
};

struct SnmpPdu {
    std::int32_t requestId;
    std::int32_t errorStatus;
    std::int32_t errorIndex;
    std::uint16_t varBindCount;
    SnmpVarBind varBinds[kSnmpMaxVarBinds];
};

struct SnmpTrapPdu {
    std::int16_t enterpriseLength; // 4 x number of arcs
    std::int32_t enterprise[kSnmpMaxArcs];
    std::uint8_t agentAddress[4];
    std::int32_t genericTrap;
    std::int32_t specificTrap;
    std::int32_t timeStamp;
    std::uint16_t varBindCount;
    SnmpVarBind varBinds[kSnmpMaxVarBinds];
};

struct SnmpMessage {
    std::int32_t version; // 0 for SNMPv1
    char community[kSnmpCommunityMax + 1];
    std::uint8_t pduType; // SnmpPduType
    SnmpPdu pdu;
    SnmpTrapPdu trap;
};

}
