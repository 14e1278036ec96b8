#pragma once

// What the fuzz targets share: the invariant check, the shape bytes at the front of an
// input, strict UTF-8 validation, a chunked stand-in for a printer's connection, the batch
// read checked against a plain reference matcher, and the sample configuration.

#include "channel/ChannelBounds.h"
#include "channel/DeviceChannel.h"
#include "config/UtilityConfig.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plintor::platform {
class CAnsiCodePage;
}

namespace plintor::fuzz {

// Ends the run with `what` on stderr when `condition` is false; libFuzzer keeps the input.
void Check(bool condition, const char* what);

// Takes shape bytes from the front of an input; a byte past the end reads as 0.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : text(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte();
    // The text up to the next "\n" (not included), or the rest.
    std::string_view Line();
    std::string_view Rest() const { return text; }

private:
    std::string_view text;
};

// True when `text` is UTF-8 as the standard allows it: no overlong forms, no surrogates,
// nothing above U+10FFFF, no 5- or 6-byte forms, no cut sequences.
bool IsValidUtf8(std::string_view text);
// Check(IsValidUtf8(text), what), naming the first bytes that are not UTF-8.
void CheckUtf8(std::string_view text, const char* what);

// The complete lines of `text` ("\n"-ended, a trailing "\r" dropped), as a reader of the
// answer counts them.
std::vector<std::string> CompleteLines(std::string_view text);

// The workstation character set an input picks: UTF-8 most often, else a single-byte or a
// stateless multi-byte set.
const platform::CAnsiCodePage& CodePageOf(std::uint8_t selector);

// How a printer's answer reaches the channel: the chunk size of each read, the character
// set and the reply cap. Three shape bytes: chunk size (0 = a full read), character set,
// cap (0 = the program's cap, else a small one).
struct ReadShape {
    std::size_t chunkBytes = 0;
    const platform::CAnsiCodePage* codePage = nullptr;
    ChannelBounds bounds;
};
ReadShape TakeReadShape(InputReader& input);

// `bytes` through the code page in one go; checks that the result is valid UTF-8.
std::string CheckedDecode(const platform::CAnsiCodePage& codePage, std::string_view bytes);

// The reference batch matcher: for each request, the lines of its block in `reply`, or
// nothing when no block answers it.
std::vector<std::optional<std::vector<std::string>>> ReferenceMatch(std::string_view reply,
                                                                    const std::vector<PjlRequest>& requests);

// The accumulating batch read over `bytes`, handed out in chunks of the shape; checks
// what a caller relies on: a successful cycle's reply is valid UTF-8, within the cap and
// the decoded answer (or its beginning, when the matcher completed early), and every
// request holds what the reference matcher finds in it. True when the cycle succeeded.
bool CheckedBatchRead(std::string_view bytes, const ReadShape& shape, PjlExchange& exchange,
                      std::vector<PjlRequest>& requests);

// The read until a form feed (the USB channel's answer read) over `bytes`, with the same
// checks; `exchange.reply` holds the answer read. True when the read succeeded.
bool CheckedFormFeedRead(std::string_view bytes, const ReadShape& shape, PjlExchange& exchange);

// resources/plintor.ini, every interface language counted as usable.
const UtilityConfig& SampleConfiguration();

}
