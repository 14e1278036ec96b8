#include "pages/WirelessKeyRules.h"

#include "config/TextCompare.h"
#include "platform/AnsiCodePage.h"
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
    return HexDigitValue(c) >= 0;
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

SsidVerdict CheckSsid(const std::string& ssid, const platform::CAnsiCodePage& wire)
{
    std::size_t characters = CountCodePoints(ssid);
    if (characters < 1 || characters > kSsidMaxChars)
        return SsidVerdict::BadLength;
    std::string octets;
    if (!wire.ToAnsiExactly(ssid, octets))
        return SsidVerdict::NotCarried;
    if (octets.size() > kSsidMaxOctets)
        return SsidVerdict::TooManyOctets;
    return SsidVerdict::Accepted;
}

StringId SsidRefusal(SsidVerdict verdict)
{
    switch (verdict) {
    case SsidVerdict::NotCarried:
        return MSG_ERR_SSID_NOT_CARRIED;
    case SsidVerdict::TooManyOctets:
        return MSG_ERR_SSID_TOO_MANY_OCTETS;
    default:
        return MSG_ERR_INCORRECT_SSID;
    }
}

}
