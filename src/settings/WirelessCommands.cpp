#include "settings/WirelessCommands.h"

#include "settings/IpCommands.h"
#include "settings/KeywordTables.h"
#include "settings/Utf8Text.h"

#include <cstdio>

namespace plintor {

namespace {

constexpr int kWepSlots = 4;

struct WepForm {
    const char* sizeWord;
    char sizeDigit;  // key length in bytes as one hexadecimal digit
    bool hexEncode;  // the key is text whose character codes are sent
};

bool WepFormOfLength(std::size_t length, WepForm& form)
{
    switch (length) {
    case 5:
        form = {"64BIT", '5', true};
        return true;
    case 10:
        form = {"64BIT", '5', false};
        return true;
    case 13:
        form = {"128BIT", 'D', true};
        return true;
    case 26:
        form = {"128BIT", 'D', false};
        return true;
    default:
        return false;
    }
}

bool AppendWepLine(std::string& job, const WirelessSettings& wireless)
{
    WepForm form;
    if (!WepFormOfLength(CodePointCount(wireless.wepKey), form))
        return false;
    if (wireless.transmitKey > kWepSlots)
        return false;  // no such key slot
    std::string keyDigits(1, form.sizeDigit);
    if (form.hexEncode)
        EncodeWepKeyText(wireless.wepKey, &keyDigits);
    else
        keyDigits += wireless.wepKey;
    // Automatic (0) puts the key into the first slot; the other slots hold "F".
    unsigned keySlot = wireless.transmitKey == 0 ? 1 : wireless.transmitKey;
    std::string slots;
    for (unsigned slot = 1; slot <= kWepSlots; ++slot)
        slots += slot == keySlot ? keyDigits : std::string("F");
    job += "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=";
    job += form.sizeWord;
    job += " TRANSMITKEY=" + std::to_string(wireless.transmitKey);
    job += " WEPKEY=\"" + slots + "\"\r\n";
    return true;
}

}

void EncodeWepKeyText(std::string_view key, std::string* out)
{
    if (out == nullptr)
        return;
    for (char16_t unit : Utf16Of(key)) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%.02x", static_cast<unsigned>(unit));
        *out += buffer;
    }
}

bool AppendWirelessCommands(std::string* job, WirelessSettings wireless, IpSettings ip)
{
    if (job == nullptr)
        return false;
    *job += "@PJL DEFAULT IWAWIRELESS=ON\r\n";
    *job += "@PJL SETWLPARAMS SSID=\"" + wireless.ssid + "\"\r\n";
    // Only 0 and 1 are ever stored; a record with another network type is refused
    // rather than sent with a guessed one.
    const char* networkType = KeywordOfIndex(NetworkTypeTable, wireless.networkType);
    if (networkType == nullptr)
        return false;
    *job += "@PJL SETWLPARAMS NETWORKTYPE=";
    *job += networkType;
    *job += "\r\n";
    if (wireless.security == 1) {
        if (!AppendWepLine(*job, wireless))
            return false;
    } else if (wireless.security >= 2 && wireless.security <= 4) {
        *job += "@PJL SETWLPARAMS SECURITY=";
        *job += WpaSecurityKeyword(wireless.security);
        *job += " PASSPHRASE=\"" + wireless.passphrase + "\"\r\n";
    } else {
        *job += "@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n";
    }
    IpGatewayRule rule = wireless.networkType == 1 ? kAdHocGateways : kSendGateways;
    return AppendIpCommands(ip, job, kWirelessForm, rule);
}

}
