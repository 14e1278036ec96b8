#pragma once

// Maps one PJL job the stand-in printer received to its answer.
//
// A job is the text between two Universal Exit Language sequences. Each "@PJL" line of it
// is looked up in the command table, longest prefix first; a handler returns the answer
// to that line (possibly nothing). Built in:
//   @PJL INFO ID          echo line, the --id line, form feed
//   @PJL INFO IWAOPTIONS  echo line, the --options lines, form feed
//   @PJL INFO IWASETUP    echo line, SETUP=ENABLE or SETUP=DISABLE, form feed
//   @PJL INFO other       echo line, "?", form feed
//   @PJL DINQUIRE NAME    echo line, the variable's value or "?", form feed (one block per
//   @PJL INQUIRE NAME       question, so a batch of them gives one block each)
//   @PJL ECHO text        the line itself and a form feed
// Every answer begins with the command line exactly as received (the echo line). Other
// lines (settings, REBOOT) get no answer unless a handler is added for them; job observers
// see every job after it was answered (to apply settings, restart, keep state).

#include "PrinterOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plintor::printer {

// One line of a job with its line end as received, and the line without it.
struct PjlLine {
    std::string raw;   // "@PJL INFO ID\r\n"
    std::string text;  // "@PJL INFO ID"
};

class CPjlResponder {
public:
    // The answer to one line, given the line and the whole job's lines.
    using CommandHandler = std::function<std::string(const PjlLine& line, const std::vector<PjlLine>& job)>;
    // The value of a DINQUIRE / INQUIRE variable, or nothing for "?".
    using VariableSource = std::function<std::optional<std::string>(const std::string& name)>;
    // Called with every job (its text between the UELs, and its lines) after it was answered.
    using JobObserver = std::function<void(const std::string& job, const std::vector<PjlLine>& lines)>;

    explicit CPjlResponder(const PrinterOptions& options);

    // Answers lines that begin with `prefix` (compared without regard to case, as PJL is).
    // A later, longer or equal prefix takes precedence over the built-in ones.
    void AddCommand(std::string prefix, CommandHandler handler);
    void SetVariableSource(VariableSource source);
    void AddJobObserver(JobObserver observer);

    // The whole answer to a job (possibly empty).
    std::string Answer(const std::string& job);

    // Splits a job into its lines; text after the last line end is a line too.
    static std::vector<PjlLine> SplitLines(std::string_view job);
    // The answer block for an inquiry: echo line, value lines, form feed.
    static std::string Block(const PjlLine& line, const std::vector<std::string>& values);

    // The variable part of "@PJL DINQUIRE NAME" / "@PJL INQUIRE NAME", or empty.
    static std::string VariableName(const std::string& text);

private:
    struct Command {
        std::string prefix;
        CommandHandler handler;
    };

    const PrinterOptions& options;
    std::vector<Command> commands;
    VariableSource variables;
    std::vector<JobObserver> observers;
};

}
