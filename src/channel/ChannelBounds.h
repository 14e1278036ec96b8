#pragma once

// Every wait of the device channels, in one place.
//
// The printer is asked short questions and answers within a second or two when awake; a
// printer waking from deep sleep, or busy finishing a page, may take several seconds for its
// first answer byte. The bounds below leave room for that and still free the worker thread of
// a printer that never answers: a silent printer costs a Query at most 3 x `read`, a
// QueryBatch at most 3 x (`pause` + `cycle`). An expired wait is a failed read (or write).
// Tests shorten them per channel object; the program uses the defaults.

#include <chrono>
#include <cstddef>

namespace plintor {

struct ChannelBounds {
    // Looking up a printer's host name (numeric addresses need no lookup).
    std::chrono::milliseconds resolve{5000};
    // Connecting to one resolved address of the printer.
    std::chrono::milliseconds connect{5000};
    // Handing the whole job to the connection.
    std::chrono::milliseconds write{10000};
    // Waiting for the next chunk of an answer.
    std::chrono::milliseconds read{10000};
    // One accumulating read cycle as a whole, so that a printer that trickles bytes forever
    // still ends the cycle.
    std::chrono::milliseconds cycle{30000};
    // The protocol's pause before each batch read cycle and after an unaccepted USB answer
    // (a fixed wait, not a bound).
    std::chrono::milliseconds pause{1000};
    // The most answer text one exchange keeps. The largest real answers (an access point
    // survey) are a few kilobytes; an answer that grows past this fails the read cycle
    // instead of growing memory.
    std::size_t maxReplyBytes = 1u << 20;
    // One Query as a whole, from the connection to the last read, pauses included; zero
    // leaves it to the bounds above. The USB search sets it (UsbSearchQuery).
    std::chrono::milliseconds query{0};
};

// The USB search asks every device on the workstation, and the cable pages repeat it every
// second, so one device that does not answer must not hold a pass for the three reads of
// a Query: each question of the search gets this much time as a whole. An awake printer
// answers within a small part of it; one that is still waking is found by a later pass.
inline constexpr std::chrono::milliseconds UsbSearchQuery{2000};

}
