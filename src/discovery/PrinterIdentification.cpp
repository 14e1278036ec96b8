#include "discovery/PrinterIdentification.h"

#include "channel/CNetConnect.h"
#include "channel/CUSBConnect.h"
#include "config/ConfigReader.h"
#include "config/GeneralSettings.h"
#include "discovery/PrinterList.h"

namespace plintor {

namespace {

// The platform interfaces that the Linux forms of the device and spooler services
// correspond to.
constexpr int kLinuxPlatformInterfaceVersion = 10;

bool VerificationOn(const std::string& configFilePath)
{
    return IsPjlVerificationOn(configFilePath.empty() ? ConfigFilePath() : configFilePath);
}

template <class Channel>
int ReadOptionsAnswer(Channel& channel, std::int32_t& options)
{
    std::string line;
    channel.exchange.lineCursor = 0;
    if (!channel.NextLine(line))
        return 0;
    do {
        if (line.find("MPC") != std::string::npos) {
            options = 0;
            return 1;
        }
    } while (channel.NextLine(line));
    options = 1;
    return 1;
}

}

bool QueryIdLine(CUSBConnect& usb, std::string& line)
{
    line.clear();
    if (!usb.Query(kPjlInfoId))
        return false;
    usb.exchange.lineCursor = 0;
    return usb.NextLine(line);
}

int QueryOptions(const std::string& address, std::int32_t& options, const std::string& configFilePath)
{
    if (!VerificationOn(configFilePath)) {
        options = 0;
        return 1;
    }
    CNetConnect net;
    if (!net.Query(address, kPjlInfoOptions))
        return 0;
    return ReadOptionsAnswer(net, options);
}

int QueryOptions(CUSBConnect& usb, std::int32_t& options, const std::string& configFilePath)
{
    if (!VerificationOn(configFilePath)) {
        options = 0;
        return 1;
    }
    if (!usb.Query(kPjlInfoOptions))
        return 0;
    return ReadOptionsAnswer(usb, options);
}

bool QuerySetupState(const PrinterList& printers, int& code, const std::string& configFilePath)
{
    bool enabled = VerificationOn(configFilePath);
    for (const PrinterEntry& entry : printers.Entries()) {
        if (entry.chosen == 0)
            continue;
        if (!enabled) {
            code = kSetupEnabled;
            return true;
        }
        std::string line;
        bool asked = false;
        CNetConnect net;
        CUSBConnect usb;
        if (entry.connection == kConnectionUsb) {
            asked = usb.Query(kPjlInfoSetup, entry.usbDevicePath);
            usb.exchange.lineCursor = 0;
        } else if (entry.connection == kConnectionNetwork) {
            asked = net.Query(entry.NetworkAddress(), kPjlInfoSetup);
            net.exchange.lineCursor = 0;
        } else {
            continue;
        }
        if (!asked) {
            code = kSetupQueryFailed;
            return false;
        }
        auto next = [&](std::string& out) {
            return entry.connection == kConnectionUsb ? usb.NextLine(out) : net.NextLine(out);
        };
        while (next(line)) {
            if (line.rfind("SETUP=ENABLE", 0) == 0) {
                code = kSetupEnabled;
                return true;
            }
            if (line.rfind("SETUP=DISABLE", 0) == 0) {
                code = kSetupDisabled;
                return false;
            }
        }
    }
    code = kSetupNoAnswer;
    return false;
}

int PlatformMajorVersion()
{
    return kLinuxPlatformInterfaceVersion;
}

}
