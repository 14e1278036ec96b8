#pragma once

#include "discovery/SnmpMessage.h"

#include <cstddef>
#include <cstdint>

namespace plintor {

// Why a datagram was not taken as a message. The callers only see "not received";
// the reason is for tests and diagnostics.
enum class SnmpDecodeError {
    None,
    Truncated,        // a tag, length or content reaches past the end of the input
    BadTag,           // an element carries another tag than the layout expects
    MultiByteTag,     // the low five bits of a tag are all set
    BadLength,        // indefinite form, or a length form of three or more bytes
    IntegerTooLong,   // more than four content bytes (or none)
    CommunityTooLong, // more than 32 octets
    BadObjectId,      // more than 60 arcs, or the last byte still carries 0x80
    ValueTooLong,     // a string value of more than 1024 octets
    BadNull,          // a NULL value with content
    UnknownValueType, // Counter64, exception values and any other tag
    TooManyVarBinds,  // more than 30 bindings
    BadAgentAddress,  // a trap agent address that is not four octets
    LengthMismatch,   // an element does not end exactly where its length says
    TrailingBytes,    // bytes left over after the message
};

// Sets every field and value area of the message to zero.
void ClearMessage(SnmpMessage& message);

// Encodes a GetRequest, GetNextRequest or SetRequest message into buffer in one forward
// pass and returns the number of bytes written. The buffer must hold the whole message
// (kSnmpEncodeBufferSize holds anything the records can describe). The record is trusted:
// at most 30 bindings, lengths within their value areas.
std::size_t EncodeMessage(const SnmpMessage& message, std::uint8_t* buffer);

// The largest message the records can produce, with room to spare.
inline constexpr std::size_t kSnmpEncodeBufferSize = 65536 + 8;

// Decodes a GetResponse or a version 1 Trap that fills exactly length bytes. Returns 0
// on success, -1 on failure (the message is then in an unspecified but cleared-safe state).
int DecodeMessage(const std::uint8_t* bytes, std::size_t length, SnmpMessage& message,
                  SnmpDecodeError* reason = nullptr);

// Writes arcs (lengthInOut bytes, 4 per arc) as signed decimals joined by "." into text,
// terminated, and sets lengthInOut to the number of characters written. Writes at most
// capacity - 1 characters; returns false (with the text cut at the last whole arc) when
// the text does not fit. kSnmpOidTextSize always fits 60 arcs.
bool OidToText(const std::int32_t* arcs, int& lengthInOut, char* text, std::size_t capacity);

inline constexpr std::size_t kSnmpOidTextSize = 60 * 12 + 1;

}
