#include "channel/PjlFraming.h"

#include <algorithm>

namespace plintor {

namespace {

constexpr std::string_view EchoCommand = "@PJL ECHO";

// The text of `reply` from `cursor` up to the next form feed, or nothing when no form feed
// follows (text after the last form feed is not a block yet).
bool NextBlock(std::string_view reply, int& cursor, std::string_view& block)
{
    auto start = static_cast<std::size_t>(cursor);
    if (start >= reply.size())
        return false;
    auto end = reply.find(FormFeed, start);
    if (end == std::string_view::npos)
        return false;
    block = reply.substr(start, end - start);
    cursor = static_cast<int>(end + 1);
    return true;
}

// The start of one answer block: its content from the first line on, that line, and where
// the line after it begins.
struct BlockHead {
    std::string_view content;
    std::string first;
    int cursor = 0;
};

// False when the block has no first line that could answer a request.
bool ReadBlockHead(std::string_view block, BlockHead& head)
{
    // Some printers put a line end after each form feed; it belongs to no block.
    std::size_t lead = block.find_first_not_of("\r\n");
    if (lead == std::string_view::npos)
        return false;
    head.content = block.substr(lead);
    head.cursor = 0;
    // An empty first line would "begin" every command; it answers none.
    return CutLine(head.content, head.cursor, head.first) && !head.first.empty();
}

// The block answers the request when the request's command begins with its first line.
bool Answers(const BlockHead& head, const PjlRequest& request)
{
    return std::string_view(request.command).starts_with(head.first);
}

// The block's further lines, up to its end or a line "?", become the request's lines.
void TakeLines(const BlockHead& head, PjlRequest& request)
{
    request.lines.clear();
    int cursor = head.cursor;
    std::string line;
    while (CutLine(head.content, cursor, line) && line != "?")
        request.lines.push_back(line);
}

}

std::string BuildJob(std::string_view command)
{
    std::string job;
    job.reserve(command.size() + 2 * UniversalExit.size() + 1);
    job.append(UniversalExit);
    job.append(command);
    if (command.empty() || command.back() != '\n')
        job.push_back('\n');
    job.append(UniversalExit);
    return job;
}

namespace {

// The answer without its echo line and without its last character.
std::string_view BodyOf(std::string_view reply)
{
    auto newline = reply.find('\n');
    if (newline != std::string_view::npos)
        reply.remove_prefix(newline + 1);
    if (!reply.empty())
        reply.remove_suffix(1);
    return reply;
}

}

std::string MakeBody(std::string_view reply)
{
    return std::string(BodyOf(reply));
}

bool AcceptAnswer(PjlExchange& exchange)
{
    bool accepted = exchange.command.starts_with(EchoCommand)
        || std::string_view(exchange.reply).starts_with(exchange.command);
    if (accepted)
        exchange.body = MakeBody(exchange.reply);
    return accepted;
}

bool CutLine(std::string_view text, int& cursor, std::string& line)
{
    if (cursor < 0)
        return false;
    auto start = static_cast<std::size_t>(cursor);
    if (start >= text.size())
        return false;
    auto newline = text.find('\n', start);
    if (newline == std::string_view::npos)
        return false;
    std::string_view cut = text.substr(start, newline - start);
    if (!cut.empty() && cut.back() == '\r')
        cut.remove_suffix(1);
    line.assign(cut);
    cursor = static_cast<int>(newline + 1);
    return true;
}

bool NextLine(PjlExchange& exchange, std::string& line)
{
    // Lines are cut from the reply itself, and the body is copied again only when the reply
    // has grown: copying it for every line made an answer of many short lines cost time
    // quadratic in its length.
    std::string_view body = BodyOf(exchange.reply);
    if (body.size() != exchange.body.size())
        exchange.body.assign(body);
    return CutLine(body, exchange.lineCursor, line);
}

bool MatchBatch(PjlExchange& exchange, std::vector<PjlRequest>& requests)
{
    std::string_view reply = exchange.reply;
    bool complete = true;
    for (PjlRequest& request : requests) {
        exchange.blockCursor = 0;
        std::string_view block;
        bool anyBlock = false;
        bool answered = false;
        while (!answered && NextBlock(reply, exchange.blockCursor, block)) {
            anyBlock = true;
            BlockHead head;
            if (!ReadBlockHead(block, head) || !Answers(head, request))
                continue;
            answered = true;
            exchange.blockLineCursor = head.cursor;
            TakeLines(head, request);
        }
        if (!anyBlock)
            return false;
        if (!answered)
            complete = false;
    }
    return complete;
}

CBatchMatcher::CBatchMatcher(std::vector<PjlRequest>& batch)
    : requests(batch), answered(batch.size(), false), unanswered(batch.size())
{
}

bool CBatchMatcher::Match(PjlExchange& exchange)
{
    std::string_view reply = exchange.reply;
    while (true) {
        auto end = reply.find(FormFeed, std::max(searched, nextBlock));
        if (end == std::string_view::npos) {
            searched = reply.size();
            break;
        }
        std::string_view block = reply.substr(nextBlock, end - nextBlock);
        nextBlock = end + 1;
        searched = nextBlock;
        anyBlock = true;
        // A block answers each request that no earlier block answered and whose command
        // its first line begins: the first answering block is the one MatchBatch finds.
        BlockHead head;
        if (unanswered == 0 || !ReadBlockHead(block, head))
            continue;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (answered[i] || !Answers(head, requests[i]))
                continue;
            answered[i] = true;
            --unanswered;
            TakeLines(head, requests[i]);
        }
    }
    exchange.blockCursor = static_cast<int>(nextBlock);
    if (requests.empty())
        return true;
    return anyBlock && unanswered == 0;
}

}
