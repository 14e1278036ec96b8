#include "pages/WirelessKeyRules.h"

#include "ui/CEdit.h"

#include <algorithm>

namespace plintor {

namespace {

bool IsPrintableAscii(char c)
{
    return c >= 0x20 && c <= 0x7E;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Printable ASCII is one byte a character, so a byte count is a character count here;
// any byte outside the range (every byte of a multi-byte character is one) fails.
bool AllPrintable(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), IsPrintableAscii);
}

}

bool IsValidWepKey(const std::string& key)
{
    switch (key.size()) {
    case 5:
    case 13:
        return AllPrintable(key);
    case 10:
    case 26:
        return std::all_of(key.begin(), key.end(), IsHexDigit);
    default:
        return false;
    }
}

bool IsValidPassphrase(const std::string& passphrase)
{
    return passphrase.size() >= kPassphraseMinChars && passphrase.size() <= kPassphraseMaxChars
        && AllPrintable(passphrase);
}

bool IsValidSsid(const std::string& ssid)
{
    std::size_t characters = CountCodePoints(ssid);
    return characters >= 1 && characters <= kSsidMaxChars;
}

}
