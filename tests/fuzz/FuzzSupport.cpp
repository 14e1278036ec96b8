#include "FuzzSupport.h"

#include "channel/PjlReads.h"
#include "config/LoadConfiguration.h"
#include "platform/AnsiCodePage.h"

#include <cstdio>
#include <cstdlib>

namespace plintor::fuzz {

namespace {

// Hands out an answer in chunks of a fixed size, then reports the connection closed.
class ChunkFeed {
public:
    ChunkFeed(std::string_view answer, std::size_t chunk) : bytes(answer), chunkBytes(chunk) {}

    ChunkReader Reader()
    {
        return [this](std::string& out, std::chrono::milliseconds) {
            if (at >= bytes.size()) {
                out.clear();
                closed = true;
                return platform::IoResult::Closed;
            }
            std::size_t n = std::min(chunkBytes, bytes.size() - at);
            out.assign(bytes.substr(at, n));
            at += n;
            return platform::IoResult::Ok;
        };
    }
    // True once a read found nothing left: the reader saw the whole answer.
    bool Closed() const { return closed; }

private:
    std::string_view bytes;
    std::size_t chunkBytes;
    std::size_t at = 0;
    bool closed = false;
};

void CheckRead(const PjlExchange& exchange, bool ok, const ReadShape& shape)
{
    // The stand-in connection answers every read at once, so only work that grows out of
    // bounds can use up a read cycle.
    Check(exchange.failure != ChannelFailure::ReadTimedOut, "a read over an answer at hand ran out of time");
    Check(ok == (exchange.failure == ChannelFailure::Ok), "a read fails exactly when it says why");
    if (!ok)
        return;
    Check(exchange.reply.size() <= shape.bounds.maxReplyBytes, "a successful read keeps within the reply cap");
    CheckUtf8(exchange.reply, "a successful read yields valid UTF-8");
}

}

void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant failed: %s\n", what);
    std::abort();
}

std::uint8_t InputReader::Byte()
{
    if (text.empty())
        return 0;
    auto byte = static_cast<std::uint8_t>(text.front());
    text.remove_prefix(1);
    return byte;
}

std::string_view InputReader::Line()
{
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

namespace {

// Where the first sequence that is not UTF-8 begins, or npos.
std::size_t FirstInvalidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (text.size() - i < length)
            return i;
        auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if (next < 0x80 || next > 0xBF)
                return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

}

bool IsValidUtf8(std::string_view text)
{
    return FirstInvalidUtf8(text) == std::string_view::npos;
}

std::vector<std::string> CompleteLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t newline;
    while ((newline = text.find('\n')) != std::string_view::npos) {
        std::string_view line = text.substr(0, newline);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(newline + 1);
    }
    return lines;
}

const platform::CAnsiCodePage& CodePageOf(std::uint8_t selector)
{
    static const platform::CAnsiCodePage utf8("UTF-8");
    static const platform::CAnsiCodePage latin1("ISO-8859-1");
    static const platform::CAnsiCodePage windows1252("CP1252");
    static const platform::CAnsiCodePage eucJp("EUC-JP");
    switch (selector % 8) {
    case 5:
        return latin1;
    case 6:
        return windows1252;
    case 7:
        return eucJp;
    default:
        return utf8;
    }
}

ReadShape TakeReadShape(InputReader& input)
{
    ReadShape shape;
    std::uint8_t chunk = input.Byte();
    shape.chunkBytes = chunk == 0 ? ReadChunkBytes : chunk;
    shape.codePage = &CodePageOf(input.Byte());
    if (std::uint8_t cap = input.Byte(); cap != 0)
        shape.bounds.maxReplyBytes = 16u * cap;
    return shape;
}

void CheckUtf8(std::string_view text, const char* what)
{
    std::size_t from = FirstInvalidUtf8(text);
    if (from == std::string_view::npos)
        return;
    // Name the first sequence that is not UTF-8, for whoever reads the finding.
    std::fprintf(stderr, "invalid UTF-8 at byte %zu:", from);
    for (std::size_t i = from; i < text.size() && i < from + 8; ++i)
        std::fprintf(stderr, " %02x", static_cast<unsigned char>(text[i]));
    std::fprintf(stderr, "\n");
    Check(false, what);
}

std::string CheckedDecode(const platform::CAnsiCodePage& codePage, std::string_view bytes)
{
    std::string text = codePage.FromAnsi(bytes);
    CheckUtf8(text, "text decoded from the printer's character set is valid UTF-8");
    return text;
}

std::vector<std::optional<std::vector<std::string>>> ReferenceMatch(std::string_view reply,
                                                                    const std::vector<PjlRequest>& requests)
{
    // Each block ends at a form feed; line ends right after a form feed belong to no block.
    std::vector<std::string_view> blocks;
    for (std::size_t start = 0, end; (end = reply.find('\f', start)) != std::string_view::npos; start = end + 1) {
        std::string_view block = reply.substr(start, end - start);
        while (!block.empty() && (block.front() == '\r' || block.front() == '\n'))
            block.remove_prefix(1);
        blocks.push_back(block);
    }
    std::vector<std::optional<std::vector<std::string>>> found(requests.size());
    for (std::size_t r = 0; r < requests.size(); ++r) {
        for (std::string_view block : blocks) {
            std::size_t newline = block.find('\n');
            if (newline == std::string_view::npos)
                continue;
            std::string_view first = block.substr(0, newline);
            if (!first.empty() && first.back() == '\r')
                first.remove_suffix(1);
            if (first.empty() || !std::string_view(requests[r].command).starts_with(first))
                continue;
            std::vector<std::string> lines = CompleteLines(block.substr(newline + 1));
            for (std::size_t k = 0; k < lines.size(); ++k) {
                if (lines[k] == "?") {
                    lines.resize(k);
                    break;
                }
            }
            found[r] = std::move(lines);
            break;
        }
    }
    return found;
}

bool CheckedBatchRead(std::string_view bytes, const ReadShape& shape, PjlExchange& exchange,
                      std::vector<PjlRequest>& requests)
{
    for (PjlRequest& request : requests)
        request.lines.clear();
    ChunkFeed feed(bytes, shape.chunkBytes);
    bool ok = ReadUntilComplete(exchange, requests, *shape.codePage, shape.bounds, feed.Reader());
    std::string decoded = CheckedDecode(*shape.codePage, bytes);
    CheckRead(exchange, ok, shape);
    if (!ok)
        return false;
    Check(!exchange.reply.empty(), "a successful batch read has answer text");
    if (feed.Closed())
        Check(exchange.reply == decoded, "a batch read to the end of the answer holds the whole decoded answer");
    else
        Check(std::string_view(decoded).starts_with(exchange.reply),
              "a batch read that stopped early holds the beginning of the decoded answer");

    auto expected = ReferenceMatch(exchange.reply, requests);
    bool complete = true;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        complete = complete && expected[r].has_value();
        if (expected[r])
            Check(requests[r].lines == *expected[r], "a request holds the lines of the first block that answers it");
        else
            Check(requests[r].lines.empty(), "a request that no block answers holds no lines");
    }
    Check(feed.Closed() || complete, "a batch read stops before the end only when every request is answered");
    return true;
}

bool CheckedFormFeedRead(std::string_view bytes, const ReadShape& shape, PjlExchange& exchange)
{
    ChunkFeed feed(bytes, shape.chunkBytes);
    bool ok = ReadUntilFormFeed(exchange, *shape.codePage, shape.bounds, feed.Reader());
    std::string decoded = CheckedDecode(*shape.codePage, bytes);
    CheckRead(exchange, ok, shape);
    if (!ok)
        return false;
    std::size_t formFeed = decoded.find('\f');
    std::string_view expected = std::string_view(decoded).substr(0, formFeed == std::string::npos ? formFeed : formFeed + 1);
    Check(exchange.reply == expected, "an answer read holds the decoded answer up to its first form feed");
    return true;
}

const UtilityConfig& SampleConfiguration()
{
    static const UtilityConfig config = [] {
        UtilityConfig loaded;
        bool ok = LoadConfiguration(loaded, std::string(PLINTOR_SOURCE_DIR) + "/resources/plintor.ini",
                                    [](std::uint16_t) { return true; });
        Check(ok, "the sample configuration loads");
        return loaded;
    }();
    return config;
}

}
