#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace plintor {

class CDialog;
class CHeadlessFrontEnd;

// The script front end: runs the real program without a display, driven by a script, and
// writes a transcript.
//
// Script lines (one command a line; blank lines and lines starting with # are skipped):
//   click ID | check ID | uncheck ID | type ID TEXT | select ID N
//   key escape|enter|f1 | close | answer yes|no|ok|retry|cancel|abort|ignore
//   wait page N [SECONDS] | expect page N | dump
//   expect text ID TEXT | expect enabled|disabled|visible|hidden|checked|unchecked ID
// TEXT is the rest of the line, or a double-quoted text with C escapes.
//
// Transcript lines: `page N CLASSNAME` whenever a page is shown, `message "CAPTION" "TEXT"
// -> ANSWER` for every message box (" (default)" when no answer was queued), the lines of
// `dump`, `end RESULT` when the wizard closes, and `script error: LINE: WHY` for a line
// that fails (the run then ends: every dialog closes with cancel).
//
// The lines run from the modal loops while the message queue is idle, one at a time, each
// on the dialog in front; `answer` lines at the top run before the program starts, so they
// answer the start-up messages.
class CScriptRunner {
public:
    // Exit statuses of the script front end.
    static constexpr int kExitNormal = 0;
    static constexpr int kExitStartUpFailed = 1;
    static constexpr int kExitScriptFailed = 3;

    // `wait page` without SECONDS waits this long.
    static constexpr std::chrono::seconds kDefaultWait{30};
    // A dialog that takes no input (a "please wait" popup) may stay this long.
    static constexpr std::chrono::seconds kBusyLimit{60};

    CScriptRunner(CHeadlessFrontEnd& frontEnd, std::vector<std::string> lines, std::ostream& out);
    ~CScriptRunner();
    CScriptRunner(const CScriptRunner&) = delete;
    CScriptRunner& operator=(const CScriptRunner&) = delete;

    // Runs `runProgram` (start-up and the wizard) under the script; returns the exit
    // status: 0 when the wizard ran and closed, 1 when start-up failed, 3 when the script
    // failed.
    int Run(const std::function<int()>& runProgram);

    bool Failed() const { return failed; }

private:
    bool Step(CDialog& dialog);
    bool Execute(int lineNumber, const std::string& line);
    void RunLeadingAnswers();
    void Fail(int lineNumber, const std::string& why);
    void Print(const std::string& line);
    // The number (1-based) of the next line that holds a command, or 0 when none is left;
    // skips blank and comment lines.
    int NextCommandLine();

    CHeadlessFrontEnd& frontEnd;
    std::vector<std::string> lines;
    std::ostream& out;
    std::size_t next = 0;                 // index of the next line to run
    std::deque<std::pair<int, std::string>> answerLines;   // queued answers: line, name
    bool failed = false;
    bool wizardEnded = false;
    bool busy = false;
    std::chrono::steady_clock::time_point busySince;
};

// `plintor --script FILE`: reads the script and runs `runProgram` under it, writing the
// transcript to `out`. Returns the exit status (a script that cannot be read is a script
// failure).
int RunScriptFile(const std::string& path, const std::function<int()>& runProgram, std::ostream& out);
// The same with the script's text in hand (for tests that run the program in-process).
int RunScriptText(const std::string& script, const std::function<int()>& runProgram, std::ostream& out);

// Reads a double-quoted text with C escapes (\n \r \t \" \\ and \xHH with exactly two hex
// digits) starting at text[position]; on success `position` is past the closing quote.
bool ParseQuoted(const std::string& text, std::size_t& position, std::string& parsed);

}
