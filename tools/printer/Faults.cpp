#include "Faults.h"

#include "config/TextCompare.h"

#include <algorithm>
#include <cstdlib>

namespace plintor::printer {

using namespace std::string_literals;

const std::string DefaultGarbage = "\x00\x01\xfe\xffJUNK\r\n"s;
const std::string FillerLine = "FILLER=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\r\n";

namespace {

bool ParseCount(const std::string& text, std::size_t& value)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = static_cast<std::size_t>(std::strtoull(text.c_str(), nullptr, 10));
    return true;
}

}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        char next = text[++i];
        switch (next) {
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '0': out.push_back('\0'); break;
        case 'f': out.push_back('\x0c'); break;
        case 'e': out.push_back('\x1b'); break;
        case 'x':
            if (i + 2 < text.size() + 0 && HexDigitValue(text[i + 1]) >= 0 && HexDigitValue(text[i + 2]) >= 0) {
                out.push_back(static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2])));
                i += 2;
            } else {
                out += "\\x";
            }
            break;
        default: out.push_back(next); break;
        }
    }
    return out;
}

bool Faults::Add(const std::string& text)
{
    auto equals = text.find('=');
    std::string name = text.substr(0, equals);
    bool hasArgument = equals != std::string::npos;
    std::string argument = hasArgument ? text.substr(equals + 1) : std::string();
    std::size_t number = 0;

    if (name == "silent" && !hasArgument) {
        silent = true;
    } else if (name == "slow") {
        if (hasArgument && !ParseCount(argument, number))
            return false;
        slowMs = hasArgument ? static_cast<int>(number) : 2000;
    } else if (name == "split" && hasArgument) {
        std::string offsets = argument;
        if (auto slash = argument.find('/'); slash != std::string::npos) {
            if (!ParseCount(argument.substr(slash + 1), number))
                return false;
            splitPauseMs = static_cast<int>(number);
            offsets.resize(slash);
        }
        splitOffsets.clear();
        std::size_t start = 0;
        while (start <= offsets.size()) {
            auto comma = std::min(offsets.find(',', start), offsets.size());
            if (!ParseCount(offsets.substr(start, comma - start), number))
                return false;
            splitOffsets.push_back(number);
            start = comma + 1;
        }
    } else if (name == "early-close") {
        if (hasArgument && !ParseCount(argument, number))
            return false;
        earlyClose = hasArgument ? number : 0;
    } else if (name == "garbage") {
        garbage = hasArgument ? Unescape(argument) : DefaultGarbage;
    } else if (name == "oversized") {
        if (hasArgument && !ParseCount(argument, number))
            return false;
        oversized = hasArgument ? number : std::size_t(8) << 20;
    } else if (name == "no-formfeed" && !hasArgument) {
        noFormFeed = true;
    } else if (name == "endless" && !hasArgument) {
        endless = true;
    } else if (name == "zero-length") {
        if (hasArgument && (!ParseCount(argument, number) || number > 1000))
            return false;
        zeroLength = hasArgument ? static_cast<int>(number) : 1;
    } else {
        return false;
    }
    return true;
}

std::string Faults::Shape(const std::string& answer) const
{
    if (answer.empty())
        return answer;
    std::string bytes = answer;
    if (oversized) {
        // The echo line, then filler lines up to the size asked for, then the form feed.
        auto newline = answer.find('\n');
        std::string echo = answer.substr(0, newline == std::string::npos ? answer.size() : newline + 1);
        std::size_t target = std::max(*oversized, echo.size() + 1);
        bytes = echo;
        bytes.reserve(target);
        while (bytes.size() + FillerLine.size() + 1 <= target)
            bytes += FillerLine;
        bytes.append(target - 1 - bytes.size(), 'X');
        bytes.push_back('\x0c');
    }
    if (noFormFeed)
        bytes.erase(std::remove(bytes.begin(), bytes.end(), '\x0c'), bytes.end());
    if (garbage)
        bytes.insert(0, *garbage);
    return bytes;
}

AnswerPlan Faults::Plan(std::string bytes) const
{
    AnswerPlan plan;
    if (silent)
        return plan;
    if (earlyClose) {
        if (bytes.size() > *earlyClose)
            bytes.resize(*earlyClose);
        plan.closeAfter = true;
    }
    plan.endless = endless && !bytes.empty();
    std::vector<std::size_t> cuts;
    for (std::size_t offset : splitOffsets)
        if (offset > 0 && offset < bytes.size())
            cuts.push_back(offset);
    int pauseMs = splitPauseMs;
    if (splitOffsets.empty() && segmentPauseMs > 0) {
        // After every line end, and before every form feed: the pieces a printer writes.
        pauseMs = segmentPauseMs;
        for (std::size_t i = 0; i + 1 < bytes.size() && cuts.size() + 1 < MaxSegments; ++i) {
            if (bytes[i] == '\n' || bytes[i] == '\x0c')
                cuts.push_back(i + 1);
            if (bytes[i + 1] == '\x0c' && bytes[i] != '\n')
                cuts.push_back(i + 1);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    cuts.push_back(bytes.size());
    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        AnswerStep step;
        step.delay = std::chrono::milliseconds(start == 0 ? slowMs.value_or(0) : pauseMs);
        step.bytes = bytes.substr(start, cut - start);
        if (!step.bytes.empty() || plan.closeAfter || start == 0)
            plan.steps.push_back(std::move(step));
        start = cut;
    }
    return plan;
}

std::string FaultHelp()
{
    return "  silent                 accept jobs, never answer\n"
           "  slow[=MS]              answer after MS milliseconds (default 2000)\n"
           "  split=OFF[,OFF...][/MS] send answers in pieces cut at the byte offsets, MS apart\n"
           "                         (default 300)\n"
           "  early-close[=N]        close the connection (USB: unplug) after N answer bytes (0)\n"
           "  garbage[=TEXT]         send TEXT before the echo line (\\r \\n \\0 \\xHH escapes;\n"
           "                         default NUL, control and high bytes, then CR LF)\n"
           "  oversized[=BYTES]      answer queries with BYTES of lines (default 8 MiB)\n"
           "  no-formfeed            leave the form feeds out of answers\n"
           "  endless                keep sending lines after the answer, forever\n"
           "  zero-length[=N]        USB: N zero-length packets (reads of 0 bytes) before each\n"
           "                         answer (default 1)\n";
}

}
