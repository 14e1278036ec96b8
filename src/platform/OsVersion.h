#pragma once

#include <cstdint>

namespace plintor::platform {

// The operating system's version record, in the form of the classic version query: the
// start-up table (GetOsVersionCode) maps it to a system code.
struct OsVersionRecord {
    static constexpr std::uint32_t kPlatformConsumer = 1;   // the consumer line
    static constexpr std::uint32_t kPlatformNt = 2;         // the NT line
    static constexpr std::uint8_t kProductWorkstation = 1;
    static constexpr std::uint16_t kSuitePersonal = 0x0200;

    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    // The extended record only; the plain record leaves them 0.
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

enum class VersionRecordKind {
    Extended,
    Plain,
};

// Fills `record` with the system's version record of the given kind; false when the
// system refuses that kind.
bool ReadOsVersionRecord(VersionRecordKind kind, OsVersionRecord& record);

}
