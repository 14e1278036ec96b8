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

// The failure that a read outcome stands for.
ChannelFailure FailureOf(platform::IoResult result);

// Reads and appends chunks to `reply` until the batch matcher completes, a read fails, or
// the connection delivers no more bytes. True if the matcher completed, or if the
// connection ended after some text arrived; false after a failed read, with no text at all,
// when the answer passes maxReplyBytes, or when the whole cycle outlasts `bounds.cycle`.
bool ReadUntilComplete(PjlExchange& exchange, std::vector<PjlRequest>& requests,
                       const platform::CAnsiCodePage& codePage, const ChannelBounds& bounds,
                       const ChunkReader& read);

// Reads and appends chunks until the text read contains a form feed, a read fails or
// delivers no bytes; `reply` is then set to the text read, up to and including the first
// form feed (bytes after it in the same chunk belong to no answer and are dropped). True unless the last read failed
// (or the answer passed maxReplyBytes, or the reads outlasted `bounds.cycle`).
bool ReadUntilFormFeed(PjlExchange& exchange, const platform::CAnsiCodePage& codePage,
                       const ChannelBounds& bounds, const ChunkReader& read);

}
