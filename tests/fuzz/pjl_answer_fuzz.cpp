// libFuzzer target for the PJL answer recognition and the batch matcher: a printer's answer
// of any shape, read the way the channels read it, is accepted exactly when it begins with
// the command, gives the lines of its body, and gives each request of a batch the lines of
// the first block that answers it, in time that grows with the answer and no faster.
//
// Input: three shape bytes (chunk size, character set, reply cap), a count byte, that many
// command lines ("\n"-ended), then the answer bytes.
#include "FuzzSupport.h"

#include "channel/PjlFraming.h"
#include "platform/AnsiCodePage.h"

using namespace plintor;
using namespace plintor::fuzz;

namespace {

void CheckRecognition(const std::string& command, const std::string& reply)
{
    PjlExchange exchange;
    exchange.command = command;
    exchange.reply = reply;
    bool accepted = AcceptAnswer(exchange);
    Check(accepted == (command.starts_with("@PJL ECHO") || reply.starts_with(command)),
          "an answer is accepted exactly when it begins with the command (any answer to an echo)");
    if (!accepted)
        return;
    // The body is the answer without its first line and without its last character.
    std::string_view expected = reply;
    if (std::size_t newline = expected.find('\n'); newline != std::string_view::npos)
        expected.remove_prefix(newline + 1);
    if (!expected.empty())
        expected.remove_suffix(1);
    Check(exchange.body == expected, "the body is the answer after its echo line, less its last character");

    std::vector<std::string> lines;
    std::string line;
    exchange.lineCursor = 0;
    while (NextLine(exchange, line))
        lines.push_back(line);
    Check(lines == CompleteLines(exchange.body), "NextLine gives the complete lines of the body, in order");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    ReadShape shape = TakeReadShape(input);
    std::size_t count = 1 + input.Byte() % 8;
    std::vector<PjlRequest> requests;
    std::string job;
    for (std::size_t i = 0; i < count; ++i) {
        std::string command(input.Line());
        command += "\r\n";
        job += command;
        requests.push_back({command, {}});
    }
    std::string_view answer = input.Rest();

    // A single read: the first chunk of the answer is the reply.
    std::string_view first = answer.substr(0, shape.chunkBytes);
    CheckRecognition(requests.front().command, CheckedDecode(*shape.codePage, first));
    CheckRecognition(job, CheckedDecode(*shape.codePage, first));

    PjlExchange exchange;
    exchange.command = job;
    CheckedBatchRead(answer, shape, exchange, requests);
    return 0;
}
