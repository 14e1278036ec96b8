// libFuzzer target for the identification answers (INFO ID, INFO IWAOPTIONS, INFO
// IWASETUP), as one chunk alone and as the read up to the form feed gives them: an accepted
// answer gives the model line, the capability and the setup state that its complete lines
// say, as valid UTF-8.
//
// Input: three shape bytes (chunk size, character set, reply cap), the question byte, then
// the answer bytes.
#include "FuzzSupport.h"

#include "channel/PjlFraming.h"
#include "discovery/PrinterIdentification.h"
#include "platform/AnsiCodePage.h"
#include "settings/SetupState.h"

#include <algorithm>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

void CheckAnswer(PjlExchange& exchange)
{
    if (!AcceptAnswer(exchange))
        return;
    std::vector<std::string> lines = CompleteLines(exchange.body);
    for (const std::string& line : lines)
        Check(IsValidUtf8(line), "an answer line is valid UTF-8");

    std::string id;
    bool hasId = IdLineOfAnswer(exchange, id);
    Check(hasId == !lines.empty(), "the model line is there when the answer has a complete line");
    Check(!hasId || id == lines.front(), "the model line is the first line of the answer");

    std::int32_t options = -1;
    int asked = OptionsOfAnswer(exchange, options);
    bool mpc = std::any_of(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.find("MPC") != std::string::npos; });
    Check(asked == (lines.empty() ? 0 : 1), "the capability is known when the answer has a complete line");
    Check(asked == 0 ? options == -1 : options == (mpc ? 0 : 1), "the capability is 0 exactly when a line says MPC");

    int expected = kSetupNoAnswer;
    for (const std::string& line : lines) {
        if (line.starts_with("SETUP=ENABLE") || line.starts_with("SETUP=DISABLE")) {
            expected = line.starts_with("SETUP=ENABLE") ? kSetupEnabled : kSetupDisabled;
            break;
        }
    }
    Check(SetupStateOfAnswer(exchange) == expected, "the setup state is what the first SETUP line says");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    ReadShape shape = TakeReadShape(input);
    static const char* const questions[] = {kPjlInfoId, kPjlInfoOptions, kPjlInfoSetup, "@PJL ECHO PLINTOR\r\n"};
    const char* question = questions[input.Byte() % 4];
    std::string_view answer = input.Rest();

    // A reply cut short: the first chunk alone, form feed or not.
    PjlExchange net;
    net.command = question;
    net.reply = CheckedDecode(*shape.codePage, answer.substr(0, shape.chunkBytes));
    CheckAnswer(net);

    // The USB channel: the answer read up to its form feed.
    PjlExchange usb;
    usb.command = question;
    if (CheckedFormFeedRead(answer, shape, usb))
        CheckAnswer(usb);
    return 0;
}
