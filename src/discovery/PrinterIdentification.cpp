#include "discovery/PrinterIdentification.h"

#include "channel/CUSBConnect.h"
#include "channel/PjlFraming.h"
#include "channel/PrinterChannel.h"
#include "config/ConfigReader.h"
#include "config/GeneralSettings.h"

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

bool QueryIdLine(CUSBConnect& usb, std::string& line)
{
    line.clear();
    if (!usb.Query(kPjlInfoId))
        return false;
    return IdLineOfAnswer(usb.exchange, line);
}

int QueryOptions(const PrinterEntry& printer, std::int32_t& options, const std::string& configFilePath,
                 const ChannelBounds& bounds)
{
    if (!VerificationOn(configFilePath)) {
        options = 0;
        return 1;
    }
    CPrinterChannel channel;
    channel.net.bounds = bounds;
    channel.usb.bounds = bounds;
    if (!channel.Query(printer, kPjlInfoOptions))
        return 0;
    return OptionsOfAnswer(channel.Exchange(), options);
}

int PlatformMajorVersion()
{
    return kLinuxPlatformInterfaceVersion;
}

}
