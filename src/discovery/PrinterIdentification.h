#pragma once

#include "channel/ChannelBounds.h"

#include <cstdint>
#include <string>

namespace plintor {

class CUSBConnect;
struct PjlExchange;
struct PrinterEntry;

inline constexpr const char* kPjlInfoId = "@PJL INFO ID\r\n";
inline constexpr const char* kPjlInfoOptions = "@PJL INFO IWAOPTIONS\r\n";

// The first answer line of "@PJL INFO ID" from the USB device the channel points at;
// false when the query fails or the answer holds no complete line.
bool QueryIdLine(CUSBConnect& usb, std::string& line);

// The capability query, over the channel the entry names (discovery/PrinterChannel.h):
// options 0 when an answer line contains "MPC", else 1. With SEND_PJL_VERIFICATION switched
// off, options is 0 without asking. configFilePath empty: the file beside the program. 1
// with options set, 0 when the printer could not be asked.
int QueryOptions(const PrinterEntry& printer, std::int32_t& options, const std::string& configFilePath = {},
                 const ChannelBounds& bounds = {});

// What the identification answers say, read from an accepted answer (its complete lines,
// as the channels' NextLine gives them from the start).
// INFO ID: the first line; false when the answer holds no complete line.
bool IdLineOfAnswer(PjlExchange& exchange, std::string& line);
// INFO IWAOPTIONS: options 0 when a line contains "MPC", else 1; returns 1, or 0 with
// options untouched when the answer holds no complete line.
int OptionsOfAnswer(PjlExchange& exchange, std::int32_t& options);

// The version of the platform interfaces. On Linux it stands for the interfaces, not the
// kernel, and is 6 or more, so USB printers are recognised by their INFO ID answer.
int PlatformMajorVersion();

}
