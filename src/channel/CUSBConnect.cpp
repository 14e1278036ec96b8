#include "channel/CUSBConnect.h"

#include "channel/ChannelSteps.h"
#include "channel/PjlFraming.h"
#include "channel/PjlReads.h"

#include <thread>

namespace plintor {

static_assert(DeviceChannel<CUSBConnect>);

namespace {

// Characters of a UTF-8 text.
std::size_t CodePoints(const std::string& text)
{
    std::size_t count = 0;
    for (unsigned char byte : text)
        count += (byte & 0xC0) != 0x80;
    return count;
}

}

CUSBConnect::CUSBConnect() : CUSBConnect(platform::UsbRoots{}) {}

CUSBConnect::CUSBConnect(platform::UsbRoots usbRoots, platform::DeviceCalls deviceCalls)
    : device(std::move(deviceCalls)), roots(std::move(usbRoots))
{
}

CUSBConnect::~CUSBConnect()
{
    Close();
}

void CUSBConnect::Close()
{
    device.Close();
}

bool CUSBConnect::Enumerate()
{
    devices.clear();
    current = 0;
    for (auto& node : platform::ListUsbPrinters(roots)) {
        _USB_DEV_DATA record;
        record.locationInfo = codePage.FromAnsi(node.location);
        record.devicePath = codePage.FromAnsi(node.devicePath);
        record.portNumber = node.minor + 1;
        record.deviceId = codePage.FromAnsi(node.deviceId);
        if (CodePoints(record.locationInfo) < UsbTextLimit && CodePoints(record.devicePath) < UsbTextLimit)
            devices.push_back(std::move(record));
    }
    return true;
}

bool CUSBConnect::CurrentLocation(std::string* text) const
{
    if (!text || current >= devices.size())
        return false;
    *text = devices[current].locationInfo;
    return true;
}

bool CUSBConnect::CurrentPath(std::string* text) const
{
    if (!text || current >= devices.size())
        return false;
    *text = devices[current].devicePath;
    return true;
}

bool CUSBConnect::CurrentPortNumber(std::uint32_t* number) const
{
    if (!number || current >= devices.size())
        return false;
    *number = devices[current].portNumber;
    return true;
}

bool CUSBConnect::CurrentDeviceId(std::string* text) const
{
    if (!text || current >= devices.size())
        return false;
    *text = devices[current].deviceId;
    return true;
}

void CUSBConnect::Next()
{
    if (current < devices.size())
        ++current;
}

void CUSBConnect::First()
{
    current = 0;
}

bool CUSBConnect::Open(const std::string& path)
{
    Close();
    std::string target = path;
    if (target.empty() && current < devices.size())
        target = devices[current].devicePath;
    if (device.Open(codePage.ToAnsi(target)))
        return true;
    exchange.failure = ChannelFailure::NoDevice;
    return false;
}

bool CUSBConnect::Write()
{
    if (device.WriteAll(codePage.ToAnsi(exchange.job), bounds.write) == platform::IoResult::Ok)
        return true;
    exchange.failure = ChannelFailure::WriteFailed;
    return false;
}

bool CUSBConnect::ReadUntilFormFeed(ReadRest* rest)
{
    return plintor::ReadUntilFormFeed(exchange, codePage, bounds,
        [this](std::string& bytes, std::chrono::milliseconds bound) {
            return device.Read(bytes, ReadChunkBytes, bound);
        }, rest);
}

bool CUSBConnect::ReadUntilComplete(std::vector<PjlRequest>& requests)
{
    return plintor::ReadUntilComplete(exchange, requests, codePage, bounds,
        [this](std::string& bytes, std::chrono::milliseconds bound) {
            return device.Read(bytes, ReadChunkBytes, bound);
        });
}

bool CUSBConnect::Query(const std::string& command, const std::string& path)
{
    exchange.failure = ChannelFailure::Ok;
    // Each step runs under what is left of the Query as a whole (ChannelBounds::query).
    const ChannelBounds whole = bounds;
    const auto start = std::chrono::steady_clock::now();
    bool accepted = false;
    if (Open(path)) {
        StartJob(*this, command);
        bounds = QueryStepBounds(whole, start);
        if (Write()) {
            ReadRest rest;
            for (int attempt = 0; attempt < ChannelReadTries && !accepted; ++attempt) {
                bounds = QueryStepBounds(whole, start);
                // A read of 0 bytes (a zero-length packet) ends the try with what was read,
                // often nothing: the answer check then refuses it, and the next try follows
                // the pause.
                bool readOk = ReadUntilFormFeed(&rest);
                accepted = readOk && AcceptAnswer(exchange);
                if (readOk && !accepted)
                    exchange.failure = ChannelFailure::NotRecognised;
                // A device that went away answers no further read.
                if (!accepted && exchange.failure == ChannelFailure::ReadFailed)
                    break;
                if (!accepted && attempt + 1 < ChannelReadTries) {
                    bounds = QueryStepBounds(whole, start);
                    if (bounds.pause < whole.pause)
                        break; // the Query's time runs out before the next try could read
                    std::this_thread::sleep_for(bounds.pause);
                }
            }
        }
    }
    return EndQuery(*this, whole, accepted);
}

bool CUSBConnect::Send(const std::string& command, const std::string& path)
{
    return SendJob(*this, path, command);
}

bool CUSBConnect::QueryBatch(const std::string& command, std::vector<PjlRequest>& requests,
                             const std::string& path)
{
    return QueryBatchJob(*this, path, command, requests, true);
}

bool CUSBConnect::NextLine(std::string& line)
{
    return plintor::NextLine(exchange, line);
}

}
