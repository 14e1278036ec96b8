#pragma once

// The USB form of the device channel: the USB printer-class devices of the workstation
// (Linux usblp, platform/UsbPrinterClass.h), and PJL jobs carried to one of them through
// its device file.
//
// Enumerate lists the printer-class devices below the roots; `current` points at the first
// and the caller moves it on with Next. Each operation opens the device (the given path, or
// the current record's path when it is empty), writes the job whole, reads and closes.
// A usblp read blocks until the printer sends something, so every read waits with poll and
// ChannelBounds::read; an expired wait, or a device that goes away, is a failed read.
// Query makes up to 3 reads until a form feed (pausing ChannelBounds::pause after an
// unaccepted answer); QueryBatch up to 3 accumulating read cycles, each after the pause.
// Both keep at most maxReplyBytes of answer.

#include "channel/ChannelBounds.h"
#include "channel/DeviceChannel.h"
#include "channel/PjlReads.h"
#include "platform/AnsiCodePage.h"
#include "platform/DeviceFile.h"
#include "platform/UsbPrinterClass.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

// One USB printer device. Texts are shorter than 260 characters (longer ones are not listed).
struct _USB_DEV_DATA {
    std::string locationInfo;     // the device's USB bus/port path, e.g. "1-1.2"
    std::string devicePath;       // the device file, e.g. "/dev/usb/lp0"
    std::uint32_t portNumber = 0; // N + 1 for lpN; the printer port is "USB%03d" of it
    std::string deviceId;         // IEEE 1284 device id, empty if unreadable
};

class CUSBConnect {
public:
    CUSBConnect();
    // `calls`: the device file's system calls (tests hand fakes; empty: the system's).
    explicit CUSBConnect(platform::UsbRoots roots, platform::DeviceCalls calls = {});
    virtual ~CUSBConnect();
    CUSBConnect(const CUSBConnect&) = delete;
    CUSBConnect& operator=(const CUSBConnect&) = delete;

    // `path` empty: the current device.
    bool Query(const std::string& command, const std::string& path = {});
    bool Send(const std::string& command, const std::string& path = {});
    bool QueryBatch(const std::string& command, std::vector<PjlRequest>& requests,
                    const std::string& path = {});
    bool NextLine(std::string& line);

    // Fills `devices` and points `current` at the first. False if the class cannot be read.
    bool Enumerate();
    // The record at `current`; false when there is none or no output is given.
    bool CurrentLocation(std::string* text) const;
    bool CurrentPath(std::string* text) const;
    bool CurrentPortNumber(std::uint32_t* number) const;
    bool CurrentDeviceId(std::string* text) const;
    // `current` moves to the following record (none after the last).
    void Next();
    // `current` moves back to the first record.
    void First();

    // The steps the three operations are made of.
    bool Open(const std::string& path);
    bool Write();
    // `rest`: what an earlier try read past its form feed, and receives what this one does.
    bool ReadUntilFormFeed(ReadRest* rest = nullptr);
    bool ReadUntilComplete(std::vector<PjlRequest>& requests);
    void Close();

    PjlExchange exchange;
    platform::CDeviceFile device;
    std::size_t current = 0; // index into `devices`; devices.size() means none
    std::vector<_USB_DEV_DATA> devices;
    platform::UsbRoots roots;
    ChannelBounds bounds;
    platform::CAnsiCodePage codePage;
};

// The limit on a listed device's texts, in characters.
inline constexpr std::size_t UsbTextLimit = 260;

}
