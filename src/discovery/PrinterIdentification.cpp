#include "discovery/PrinterIdentification.h"

#include "channel/CUSBConnect.h"
#include "config/ConfigReader.h"
#include "config/GeneralSettings.h"
#include "discovery/PrinterChannel.h"

namespace plintor {

namespace {

// The platform interfaces that the Linux forms of the device and spooler services
// correspond to.
constexpr int kLinuxPlatformInterfaceVersion = 10;

bool VerificationOn(const std::string& configFilePath)
{
    return IsPjlVerificationOn(configFilePath.empty() ? ConfigFilePath() : configFilePath);
}

int ReadOptionsAnswer(CPrinterChannel& channel, std::int32_t& options)
{
    std::string line;
    channel.Exchange().lineCursor = 0;
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
    return ReadOptionsAnswer(channel, options);
}

int PlatformMajorVersion()
{
    return kLinuxPlatformInterfaceVersion;
}

}
