#pragma once

#include <string>

namespace plintor {

// The rules every wireless page applies to what the user typed. Characters are Unicode
// code points of the UTF-8 text.

inline constexpr std::size_t kSsidMaxChars = 32;
inline constexpr std::size_t kPassphraseMinChars = 8;
inline constexpr std::size_t kPassphraseMaxChars = 63;
inline constexpr std::size_t kWepKeyMaxChars = 26;

// A WEP key: exactly 5 or 13 printable ASCII characters (space to tilde), or exactly 10
// or 26 hexadecimal digits of either case.
bool IsValidWepKey(const std::string& key);
// A WPA passphrase: 8 to 63 printable ASCII characters (space to tilde). 64 hexadecimal
// digits (a raw key) are not taken.
bool IsValidPassphrase(const std::string& passphrase);
// An SSID: 1 to 32 characters of any kind.
bool IsValidSsid(const std::string& ssid);

}
