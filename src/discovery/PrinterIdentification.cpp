#include "discovery/PrinterIdentification.h"

#include "channel/CNetConnect.h"
#include "channel/CUSBConnect.h"
#include "channel/PjlFraming.h"
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

}

bool IdLineOfAnswer(PjlExchange& exchange, std::string& line)
{
    exchange.lineCursor = 0;
    return NextLine(exchange, line);
}

int OptionsOfAnswer(PjlExchange& exchange, std::int32_t& options)
{
    std::string line;
    exchange.lineCursor = 0;
    if (!NextLine(exchange, line))
        return 0;
    do {
        if (line.find("MPC") != std::string::npos) {
            options = 0;
            return 1;
        }
    } while (NextLine(exchange, line));
    options = 1;
    return 1;
}

int SetupStateOfAnswer(PjlExchange& exchange)
{
    std::string line;
    exchange.lineCursor = 0;
    while (NextLine(exchange, line)) {
        if (line.rfind("SETUP=ENABLE", 0) == 0)
            return kSetupEnabled;
        if (line.rfind("SETUP=DISABLE", 0) == 0)
            return kSetupDisabled;
    }
    return kSetupNoAnswer;
}

bool QueryIdLine(CUSBConnect& usb, std::string& line)
{
    line.clear();
    if (!usb.Query(kPjlInfoId))
        return false;
    return IdLineOfAnswer(usb.exchange, line);
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
    return OptionsOfAnswer(net.exchange, options);
}

int QueryOptions(CUSBConnect& usb, std::int32_t& options, const std::string& configFilePath)
{
    if (!VerificationOn(configFilePath)) {
        options = 0;
        return 1;
    }
    if (!usb.Query(kPjlInfoOptions))
        return 0;
    return OptionsOfAnswer(usb.exchange, options);
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
        bool asked = false;
        CNetConnect net;
        CUSBConnect usb;
        PjlExchange* answer = nullptr;
        if (entry.connection == kConnectionUsb) {
            asked = usb.Query(kPjlInfoSetup, entry.usbDevicePath);
            answer = &usb.exchange;
        } else if (entry.connection == kConnectionNetwork) {
            asked = net.Query(entry.NetworkAddress(), kPjlInfoSetup);
            answer = &net.exchange;
        } else {
            continue;
        }
        if (!asked) {
            code = kSetupQueryFailed;
            return false;
        }
        int state = SetupStateOfAnswer(*answer);
        if (state != kSetupNoAnswer) {
            code = state;
            return state == kSetupEnabled;
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
