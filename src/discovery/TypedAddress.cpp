#include "discovery/TypedAddress.h"

#include "channel/ChannelBounds.h"
#include "discovery/FormatMac.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/SnmpClient.h"
#include "platform/NameLookup.h"

#include <cstring>

namespace plintor {

int ValidateTypedAddress(const std::string& text)
{
    if (text.empty() || text == "0.0.0.0" || text == "255.255.255.255")
        return 0;
    // A name is looked up within the channels' bound, so that a broken resolver cannot
    // hold the page that asks.
    return platform::CNameLookup().Resolve(text, {}, platform::LookupHints{}, ChannelBounds{}.resolve).empty() ? 0 : 1;
}

int CheckTypedAddress(const std::string& text, const DiscoveryContext& context)
{
    if (text.size() >= 256)
        return kNoAnswer;
    SnmpClient client;
    if (!client.Setup(text.c_str(), kSysObjectIdOid, 6) || !client.Run())
        return kNoAnswer;
    if (client.AnswerLength() >= 256)
        return kNoAnswer;
    SnmpAnswer answer{};
    std::memcpy(answer.address, text.c_str(), text.size() + 1);
    const char* value = reinterpret_cast<const char*>(client.AnswerValue());
    std::memcpy(answer.objectId, value, strnlen(value, sizeof answer.objectId - 1));
    return CheckAnswer(answer, context);
}

int GetTypedAddressMac(const std::string& text, std::string& mac)
{
    if (text.size() >= 256)
        return 0;
    SnmpClient client;
    if (!client.Setup(text.c_str(), kIfPhysAddressOid, 4) || !client.Run())
        return 0;
    return FormatMac(client.AnswerValue(), client.AnswerLength(), mac);
}

}
