#pragma once

// The device channel contract.
//
// Every conversation with a printer is one short PJL job: open the connection, send one job
// that carries the caller's PJL command lines, read the answer if one is expected, close.
// Two classes carry it, CNetConnect (raw TCP port 9100) and CUSBConnect (USB printer-class
// device). They share no base class: each offers the same operations with the same meaning,
// and the one place that picks the class by a printer's connection kind is CPrinterChannel
// (discovery/PrinterChannel.h).
//
//   Query       open; write the job; read until the answer is recognised (at most 3 tries,
//               each reading until a form feed ends the text read); close. On success
//               `exchange.body` holds the answer.
//   Send        open; write the job; close. Success means the write went out whole.
//   QueryBatch  open; write the job; read and accumulate until every request has found
//               its answer block (at most 3 read cycles); close. On success each request's
//               `lines` holds its answer lines.
//   NextLine    the next complete line of `exchange.body` from `exchange.lineCursor`.
//
// A failure to open skips everything else; a failed write skips the reads; the connection
// is closed on every path that opened it. Nothing is thrown and nothing is shown: callers
// turn a false result into their own message. `exchange.failure` says why, for logs and tests.
//
// Texts are UTF-8 inside the program. The job is converted to the workstation's character
// set (platform/AnsiCodePage.h) just before it is written, and every chunk read is converted
// back. The framing, answer recognition and batch matching live in channel/PjlFraming.h and
// are shared by both channels; every wait is bounded by channel/ChannelBounds.h.

#include <concepts>
#include <cstddef>
#include <string>
#include <vector>

namespace plintor {

// Why the last operation of a channel failed (Ok after a success).
enum class ChannelFailure {
    Ok,
    NoAddress,       // the address text did not resolve
    NoConnection,    // no resolved address accepted the connection within the bound
    NoDevice,        // the device file could not be opened
    WriteFailed,     // the job did not go out whole (error or expired wait)
    ReadFailed,      // a read reported an error, or the device went away
    ReadTimedOut,    // a wait for the printer's answer expired
    NotRecognised,   // answers arrived, but none was the answer to the job
    ReplyTooLarge,   // the answer grew past ChannelBounds::maxReplyBytes
    NoReply,         // the printer sent nothing before it closed the connection
};

// One exchange: the caller's command, the job built from it and the answer read back.
struct PjlExchange {
    std::string command;     // the PJL command lines as the caller gave them
    std::string job;         // the envelope built from `command`
    std::string reply;       // single-read path: the last chunk; accumulating paths: all so far
    std::string body;        // the answer without its echo line and without its last character
    int lineCursor = 0;      // where NextLine continues in `body`; the caller resets it to 0
    int blockCursor = 0;     // where the next form-feed-ended block of `reply` begins
    int blockLineCursor = 0; // where the next line of the current block begins
    ChannelFailure failure = ChannelFailure::Ok;
};

// One expected answer of a QueryBatch, in the order the commands were put into the job.
struct PjlRequest {
    std::string command;            // e.g. "@PJL DINQUIRE FAX_SET_COUNTRY\r\n"
    std::vector<std::string> lines; // the answer lines found; emptied when its block is found
};

// What both channels offer alike; each channel's source checks itself against it.
template <class Channel>
concept DeviceChannel = requires(Channel channel, std::string line) {
    { channel.exchange } -> std::convertible_to<PjlExchange&>;
    { channel.NextLine(line) } -> std::same_as<bool>;
};

}
