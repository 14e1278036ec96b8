#pragma once

// PJL framing shared by both channels: the job envelope, answer recognition, line cutting
// and the batch matcher. Pure functions over PjlExchange; no I/O.
//
// Answer rules the printer follows: an answer to an INFO or INQUIRE line begins with the
// echoed command line and ends with a form feed; a batch answer has one form-feed-ended block
// per question, whose first line is the beginning of that question's command line and in
// which a line "?" ends the answer lines.

#include "channel/DeviceChannel.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plintor {

// Universal Exit Language: escape, then "%-12345X". Opens and closes every job.
inline constexpr std::string_view UniversalExit = "\x1b%-12345X";
inline constexpr char FormFeed = '\x0c';

// UEL + command + ("\n" only if the command does not end in "\n") + UEL.
std::string BuildJob(std::string_view command);

// The answer without the text up to and including its first "\n" (nothing is removed when
// there is none), and without its last character, whatever that is.
std::string MakeBody(std::string_view reply);

// Query's recognition, run after each read. A command beginning with "@PJL ECHO" accepts any
// answer; otherwise `reply` must begin with the whole command (case-sensitive). On acceptance
// `body` is made from `reply`.
bool AcceptAnswer(PjlExchange& exchange);

// Cuts the line of `text` that begins at `cursor`: up to the next "\n", a trailing "\r"
// dropped; `cursor` moves past the "\n". False, with nothing changed, when no complete line
// is left (text after the last "\n" is never a line).
bool CutLine(std::string_view text, int& cursor, std::string& line);

// NextLine of the contract: `body` is made afresh from `reply`, then the line at
// `lineCursor` is cut from it.
bool NextLine(PjlExchange& exchange, std::string& line);

// Matches the form-feed-ended blocks of `reply` to the requests; true when every request
// found its block. A request's block is the first whose first line begins its command; its
// further lines up to the block's end or a line "?" (any case) become the request's lines.
// Text after the last form feed is not a block yet.
bool MatchBatch(PjlExchange& exchange, std::vector<PjlRequest>& requests);

// The batch matcher for a reply that only grows, as an accumulating read builds it. Each
// call looks only at the blocks that were completed since the call before, so matching an
// answer that arrives in many chunks costs time linear in the answer instead of rescanning
// it after every chunk. After every call the requests hold exactly what MatchBatch on the
// same reply gives them, and the result is the same.
class CBatchMatcher {
public:
    explicit CBatchMatcher(std::vector<PjlRequest>& requests);

    // `exchange.reply` must begin with the reply of the call before (text is only appended).
    bool Match(PjlExchange& exchange);

private:
    std::vector<PjlRequest>& requests;
    std::vector<bool> answered;
    std::size_t unanswered;
    std::size_t nextBlock = 0; // where the next block of the reply begins
    std::size_t searched = 0;  // the reply up to here holds no form feed after nextBlock
    bool anyBlock = false;
};

}
