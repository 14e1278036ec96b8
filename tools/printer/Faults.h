#pragma once

// The ways the stand-in printer can misbehave, each chosen with --fault NAME[=ARG]. They
// shape the bytes of an answer (what is sent) and its timing (when, in which pieces, and
// whether the connection survives it).

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace plintor::printer {

// One piece of an answer, sent `delay` after the piece before it (the first: after the job).
struct AnswerStep {
    std::chrono::milliseconds delay{0};
    std::string bytes;
};

struct AnswerPlan {
    std::vector<AnswerStep> steps;
    bool closeAfter = false; // close the connection (unplug the USB device) after the last step
    bool endless = false;    // after the last step, send filler lines until the peer goes away
};

struct Faults {
    // Not a fault: how every answer goes out when no split is asked for. Like real printers,
    // the stand-in sends the echo line, each further line and the form feed that ends a
    // block in separate writes (separate TCP segments), this many milliseconds apart; 0
    // sends each answer in one write. Set with --segment-pause.
    int segmentPauseMs = 10;

    bool silent = false;                      // silent: accept jobs, never answer
    std::optional<int> slowMs;                // slow[=MS]: answer after MS (default 2000)
    std::vector<std::size_t> splitOffsets;    // split=OFF[,OFF...][/MS]: cut the answer there
    int splitPauseMs = 300;                   //   and pause MS between the pieces (default 300)
    std::optional<std::size_t> earlyClose;    // early-close[=N]: close after N answer bytes (0)
    std::optional<std::string> garbage;       // garbage[=TEXT]: bytes before the echo line
    std::optional<std::size_t> oversized;     // oversized[=BYTES]: an answer of BYTES (8 MiB)
    bool noFormFeed = false;                  // no-formfeed: answers without their form feeds
    bool endless = false;                     // endless: never stop sending after the answer
    int zeroLength = 0;                       // zero-length[=N]: over USB, N zero-length
                                              //   packets before each answer (default 1)

    // Parses one "NAME[=ARG]"; false for an unknown name or a bad argument.
    bool Add(const std::string& text);

    // The bytes of an answer whose first line is the echo line.
    std::string Shape(const std::string& answer) const;

    // How the shaped bytes go out.
    AnswerPlan Plan(std::string bytes) const;
};

// The default garbage: NUL, control and high bytes, then a line end.
extern const std::string DefaultGarbage;

// Unescapes \r \n \t \0 \\ and \xHH in a fault argument.
std::string Unescape(const std::string& text);

// The most pieces an answer is cut into by default; the rest of a longer answer (an
// oversized one) goes out in the last piece.
inline constexpr std::size_t MaxSegments = 64;

// The filler line that oversized and endless answers are made of.
extern const std::string FillerLine;

// Help text for --help.
std::string FaultHelp();

}
