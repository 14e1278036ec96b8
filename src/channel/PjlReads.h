#pragma once

// The read loops that both channels run over their own transport: the accumulating batch
// read cycle and the read until a form feed. A channel hands in a reader that makes one
// bounded read of at most ReadChunkBytes bytes.

#include "channel/ChannelBounds.h"
#include "channel/DeviceChannel.h"
#include "platform/Socket.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace plintor::platform {
class CAnsiCodePage;
}

namespace plintor {

// Each read asks for at most this many bytes.
inline constexpr std::size_t ReadChunkBytes = 1024;

// One read into `bytes` (replaced) that waits at most `bound`.
using ChunkReader = std::function<platform::IoResult(std::string& bytes, std::chrono::milliseconds bound)>;

// The bounds of the next step of a Query that began at `start`: while `bounds.query` is
// set, every wait is cut to the time the Query has left (zero once it is used up).
ChannelBounds QueryStepBounds(const ChannelBounds& bounds, std::chrono::steady_clock::time_point start);

// The failure that a read outcome stands for.
ChannelFailure FailureOf(platform::IoResult result);

// Reads and appends chunks to `reply` until the batch matcher completes, a read fails, or
// the connection delivers no more bytes. True if the matcher completed, or if the
// connection ended after some text arrived; false after a failed read, with no text at all,
// when the answer passes maxReplyBytes (a character cut off at the end counts too), or when
// the whole cycle outlasts `bounds.cycle`. Matching costs time linear in the answer.
bool ReadUntilComplete(PjlExchange& exchange, std::vector<PjlRequest>& requests,
                       const platform::CAnsiCodePage& codePage, const ChannelBounds& bounds,
                       const ChunkReader& read);

// What a read until a form feed read past its form feed: the text after it and a character
// cut off at the end of that text. A Query keeps it from one try to the next, so that an
// answer that arrives in the same chunk as an unrelated block before it is not lost.
struct ReadRest {
    std::string text;
    std::string carry;
};

// Reads and appends chunks (after the text of `rest`, when given) until the text read
// contains a form feed, a read fails or delivers no bytes; `reply` is then set to the text
// read, up to and including the first form feed. What followed the form feed goes to
// `rest`, or is dropped without one. True unless the last read failed (or the answer
// passed maxReplyBytes, or the reads outlasted `bounds.cycle`).
bool ReadUntilFormFeed(PjlExchange& exchange, const platform::CAnsiCodePage& codePage,
                       const ChannelBounds& bounds, const ChunkReader& read,
                       ReadRest* rest = nullptr);

}
