#pragma once

#include "core/StringIds.h"

#include <string>

namespace plintor {

namespace platform {
class CAnsiCodePage;
}

// The rules every wireless page applies to what the user typed. Characters are Unicode
// code points of the UTF-8 text.

inline constexpr std::size_t kSsidMaxChars = 32;
inline constexpr std::size_t kSsidMaxOctets = 32;  // what a network name holds on the air
inline constexpr std::size_t kPassphraseMinChars = 8;
inline constexpr std::size_t kPassphraseMaxChars = 63;
inline constexpr std::size_t kWepKeyMaxChars = 26;

// A WEP key: exactly 5 or 13 printable ASCII characters (space to tilde), or exactly 10
// or 26 hexadecimal digits of either case.
bool IsValidWepKey(const std::string& key);
// A WPA passphrase: 8 to 63 printable ASCII characters (space to tilde). 64 hexadecimal
// digits (a raw key) are not taken.
bool IsValidPassphrase(const std::string& passphrase);
// What becomes of a typed SSID.
enum class SsidVerdict {
    Accepted,
    BadLength,      // empty, or more than 32 characters
    NotCarried,     // the wire's character set cannot carry one of its characters
    TooManyOctets,  // more than 32 bytes in the wire's character set
};

// An SSID: 1 to 32 characters of any kind, which the wire's character set carries
// exactly, in at most 32 bytes: the printer is sent the very bytes the user typed, and
// a network name is counted in octets.
SsidVerdict CheckSsid(const std::string& ssid, const platform::CAnsiCodePage& wire);

// The message that refuses an SSID for `verdict` (Accepted has none).
StringId SsidRefusal(SsidVerdict verdict);

}
