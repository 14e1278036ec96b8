// libFuzzer target for the script front end's script: any script drives a wizard frame of
// inert pages (the real page layouts, Next moving on to the following page) and leaves a
// transcript of whole lines of the documented kinds, the exit status that says whether the
// script failed, and no dialog behind; a quoted text takes only the documented escapes and
// reads back from its own quoting.
//
// Input: the start page byte, then the script.
#include "FuzzSupport.h"

#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "ui/headless/CScriptRunner.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <sstream>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

// A page that only moves on: no discovery, no printer, no file.
class InertPage : public CTemplateDlg {
protected:
    void OnNext() override { wizard->GoToPage((pageIndex + 1) % kPageCount); }
};

int RunInertWizard(int startPage)
{
    std::array<InertPage, kPageCount> pages;
    CWizardDlg wizard;
    for (int i = 0; i < kPageCount; ++i)
        wizard.ReplacePage(i, pages[static_cast<std::size_t>(i)]);
    wizard.currentPage = startPage;
    wizard.DoModal(*FindDialogTemplate(IDD_WIZARD, 1033));
    return 0;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Pages change only on a script line here, so a wait for another page lasts its whole
// limit; scripts whose waits could last more than a moment are left out.
bool WaitsAreShort(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        std::vector<std::string> words = Words(line);
        if (!words.empty() && words[0] == "wait" && (words.size() < 4 || !(std::strtod(words[3].c_str(), nullptr) <= 0.05)))
            return false;
    }
    return true;
}

bool IsHex(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The quoted text that begins a line's first double quote: a text read takes "\x" only
// with two hex digits, and reads back from its own quoting.
void CheckQuoted(const std::string& line)
{
    std::size_t start = line.find('"');
    if (start == std::string::npos)
        return;
    std::size_t position = start;
    std::string parsed;
    if (!ParseQuoted(line, position, parsed))
        return;
    Check(position > start && line[position - 1] == '"', "a quoted text ends after its closing quote");
    for (std::size_t i = start + 1; i + 1 < position; ++i) {
        if (line[i] != '\\')
            continue;
        if (line[i + 1] == 'x')
            Check(i + 3 < position && IsHex(line[i + 2]) && IsHex(line[i + 3]), "\\x takes exactly two hex digits");
        ++i;
    }
    std::string quoted = CHeadlessFrontEnd::Quote(parsed);
    std::size_t again = 0;
    std::string reread;
    Check(ParseQuoted(quoted, again, reread) && again == quoted.size() && reread == parsed,
          "a quoted text reads back from its own quoting");
}

bool IsTranscriptLine(const std::string& line)
{
    for (const char* kind : {"page ", "message \"", "end ", "script error: "})
        if (line.starts_with(kind))
            return true;
    // A dump line begins with the control's id.
    std::size_t digits = line.starts_with("-") ? 1 : 0;
    std::size_t end = line.find_first_not_of("0123456789", digits);
    return end != std::string::npos && end > digits && line[end] == ' ';
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    int startPage = input.Byte() % kPageCount;
    std::vector<std::string> lines;
    std::istringstream in{std::string(input.Rest())};
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    if (!WaitsAreShort(lines))
        return -1;
    for (const std::string& line : lines)
        CheckQuoted(line);

    std::ostringstream out;
    CHeadlessFrontEnd frontEnd;
    int status;
    {
        CScriptRunner runner(frontEnd, lines, out);
        status = runner.Run([startPage] { return RunInertWizard(startPage); });
    }
    Check(frontEnd.LivePeers() == 0, "the run leaves no dialog behind");
    Check(status == CScriptRunner::kExitNormal || status == CScriptRunner::kExitScriptFailed,
          "a run of the wizard ends normally or with a script failure");

    std::string transcript = out.str();
    Check(transcript.empty() || transcript.back() == '\n', "the transcript ends with a whole line");
    std::istringstream lineReader(transcript);
    int errors = 0;
    for (std::string line; std::getline(lineReader, line);) {
        Check(IsTranscriptLine(line), "every transcript line is a page, message, end, error or dump line");
        errors += line.starts_with("script error: ");
    }
    Check(errors == (status == CScriptRunner::kExitScriptFailed ? 1 : 0), "a failed script says why, once");
    return 0;
}
