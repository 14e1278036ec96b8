#include "ui/headless/CScriptRunner.h"

#include "config/TextCompare.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CMessageQueue.h"
#include "ui/MessageBox.h"
#include "ui/WindowMessages.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>

namespace plintor {

namespace {

using Clock = std::chrono::steady_clock;

bool IsBlankOrComment(const std::string& line)
{
    std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

// Splits off the next word; `rest` keeps what follows the single blank after it.
std::string NextWord(std::string& rest)
{
    std::size_t start = rest.find_first_not_of(" \t");
    if (start == std::string::npos) {
        rest.clear();
        return {};
    }
    std::size_t end = rest.find_first_of(" \t", start);
    std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return word;
}

bool ParseInt(const std::string& word, int& value)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < -2147483647L || parsed > 2147483647L)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSeconds(const std::string& word, double& seconds)
{
    char* end = nullptr;
    errno = 0;
    seconds = std::strtod(word.c_str(), &end);
    return errno == 0 && !word.empty() && *end == '\0' && seconds >= 0 && seconds <= 3600;
}

int AnswerOfName(const std::string& name)
{
    if (name == "yes") return IDYES;
    if (name == "no") return IDNO;
    if (name == "ok") return IDOK;
    if (name == "retry") return IDRETRY;
    if (name == "cancel") return IDCANCEL;
    if (name == "abort") return IDABORT;
    if (name == "ignore") return IDIGNORE;
    return 0;
}

std::string ResultName(int result)
{
    if (result == IDOK)
        return "ok";
    if (result == IDCANCEL)
        return "cancel";
    return std::to_string(result);
}

bool OnlyBlanks(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

// A text from the script in a transcript line: quoted, so that no byte of it can break
// the line or pass for one of its quotes.
std::string Quoted(const std::string& text)
{
    return CHeadlessFrontEnd::Quote(text);
}

}

bool ParseQuoted(const std::string& text, std::size_t& position, std::string& parsed)
{
    if (position >= text.size() || text[position] != '"')
        return false;
    std::string result;
    for (std::size_t i = position + 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            parsed = result;
            position = i + 1;
            return true;
        }
        if (c != '\\') {
            result += c;
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i]) {
        case 'n': result += '\n'; break;
        case 'r': result += '\r'; break;
        case 't': result += '\t'; break;
        case '"': result += '"'; break;
        case '\\': result += '\\'; break;
        case 'x': {
            // Exactly two hex digits: no sign, no blanks, no single digit.
            if (i + 2 >= text.size())
                return false;
            int high = HexDigitValue(text[i + 1]);
            int low = HexDigitValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            result += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

CScriptRunner::CScriptRunner(CHeadlessFrontEnd& driver, std::vector<std::string> scriptLines,
                             std::ostream& transcript)
    : frontEnd(driver)
    , lines(std::move(scriptLines))
    , out(transcript)
{
    frontEnd.SetIdleAction([this](CDialog& dialog) { return Step(dialog); });
    frontEnd.onPage = [this](int index, const std::string& className) {
        Print("page " + std::to_string(index) + " " + className);
    };
    frontEnd.onMessage = [this](const CHeadlessFrontEnd::ShownMessage& shown) {
        Print("message " + CHeadlessFrontEnd::Quote(shown.caption) + " "
              + CHeadlessFrontEnd::Quote(shown.text) + " -> "
              + CHeadlessFrontEnd::AnswerName(shown.answer) + (shown.defaulted ? " (default)" : ""));
        if (shown.defaulted || answerLines.empty())
            return;
        auto [lineNumber, name] = answerLines.front();
        answerLines.pop_front();
        if (shown.refused)
            Fail(lineNumber, "the message box has no " + name + " button");
    };
    frontEnd.onModalEnd = [this](CDialog& dialog, int depthAfter) {
        if (depthAfter != 0 || failed)
            return;
        wizardEnded = true;
        Print("end " + ResultName(dialog.ModalResult()));
    };
}

CScriptRunner::~CScriptRunner()
{
    frontEnd.SetIdleAction(nullptr);
    frontEnd.onPage = nullptr;
    frontEnd.onMessage = nullptr;
    frontEnd.onModalEnd = nullptr;
}

void CScriptRunner::Print(const std::string& line)
{
    out << line << '\n';
    out.flush();
}

void CScriptRunner::Fail(int lineNumber, const std::string& why)
{
    if (failed)
        return;
    failed = true;
    Print("script error: " + std::to_string(lineNumber) + ": " + why);
    frontEnd.AbandonAll();
}

int CScriptRunner::NextCommandLine()
{
    while (next < lines.size() && IsBlankOrComment(lines[next]))
        ++next;
    return next < lines.size() ? static_cast<int>(next) + 1 : 0;
}

void CScriptRunner::RunLeadingAnswers()
{
    while (int lineNumber = NextCommandLine()) {
        std::string rest = lines[next];
        if (NextWord(rest) != "answer")
            return;
        ++next;
        if (!Execute(lineNumber, lines[static_cast<std::size_t>(lineNumber) - 1]))
            return;
    }
}

int CScriptRunner::Run(const std::function<int()>& runProgram)
{
    RunLeadingAnswers();
    if (failed)
        return kExitScriptFailed;
    int programStatus = runProgram ? runProgram() : 1;
    if (failed)
        return kExitScriptFailed;
    if (!wizardEnded && programStatus != 0)
        return kExitStartUpFailed;
    if (int lineNumber = NextCommandLine()) {
        Fail(lineNumber, wizardEnded ? "the wizard has closed" : "the wizard was not shown");
        return kExitScriptFailed;
    }
    return wizardEnded || programStatus == 0 ? kExitNormal : kExitStartUpFailed;
}

bool CScriptRunner::Step(CDialog& dialog)
{
    if (failed) {
        dialog.EndDialog(IDCANCEL);
        return true;
    }
    // Nothing is typed into a dialog that takes no input; it closes by itself.
    if (frontEnd.FrontDialogIsBusy()) {
        Clock::time_point now = Clock::now();
        if (!busy) {
            busy = true;
            busySince = now;
        } else if (now - busySince > kBusyLimit) {
            CDialog* front = frontEnd.FrontDialog();
            Fail(NextCommandLine(), "dialog " + std::to_string(front ? front->TemplateId() : 0)
                     + " did not close");
            return true;
        }
        CMessageQueue::Instance().WaitAndRunOne(std::chrono::milliseconds(20));
        return true;
    }
    busy = false;
    int lineNumber = NextCommandLine();
    if (lineNumber == 0) {
        Fail(static_cast<int>(lines.size()), "the script ended while the wizard is open");
        return true;
    }
    ++next;
    Execute(lineNumber, lines[static_cast<std::size_t>(lineNumber) - 1]);
    return true;
}

bool CScriptRunner::Execute(int lineNumber, const std::string& line)
{
    std::string rest = line;
    if (!rest.empty() && rest.back() == '\r')
        rest.pop_back();
    std::string command = NextWord(rest);

    auto fail = [&](const std::string& why) {
        Fail(lineNumber, why);
        return false;
    };
    auto result = [&](const DriveResult& done) {
        return done ? true : fail(done.why);
    };
    auto readId = [&](int& id) {
        std::string word = NextWord(rest);
        if (!ParseInt(word, id))
            return fail(command + ": " + Quoted(word) + " is no control id");
        return true;
    };
    auto noMore = [&]() {
        if (!OnlyBlanks(rest))
            return fail(command + ": unexpected " + Quoted(rest));
        return true;
    };

    if (command == "click" || command == "check" || command == "uncheck") {
        int id = 0;
        if (!readId(id) || !noMore())
            return false;
        if (command == "click")
            return result(frontEnd.Click(id));
        if (command == "check")
            return result(frontEnd.Check(id));
        return result(frontEnd.Uncheck(id));
    }
    if (command == "type") {
        int id = 0;
        if (!readId(id))
            return false;
        std::string text = rest;
        if (!rest.empty() && rest.front() == '"') {
            std::size_t position = 0;
            if (!ParseQuoted(rest, position, text))
                return fail("type: the quoted text is not closed or has a bad escape");
            if (!OnlyBlanks(rest.substr(position)))
                return fail("type: unexpected text after the quoted text");
        }
        return result(frontEnd.Type(id, text));
    }
    if (command == "select") {
        int id = 0;
        int index = 0;
        if (!readId(id))
            return false;
        std::string word = NextWord(rest);
        if (!ParseInt(word, index))
            return fail("select: " + Quoted(word) + " is no item number");
        if (!noMore())
            return false;
        return result(frontEnd.Select(id, index));
    }
    if (command == "key") {
        std::string name = NextWord(rest);
        if (!noMore())
            return false;
        int key = name == "escape" ? VK_ESCAPE : name == "enter" ? VK_RETURN : name == "f1" ? VK_F1 : 0;
        if (key == 0)
            return fail("key: " + Quoted(name) + " is no key (escape, enter, f1)");
        return result(frontEnd.PressKey(key));
    }
    if (command == "close") {
        if (!noMore())
            return false;
        return result(frontEnd.Close());
    }
    if (command == "answer") {
        std::string name = NextWord(rest);
        if (!noMore())
            return false;
        int answer = AnswerOfName(name);
        if (answer == 0)
            return fail("answer: " + Quoted(name) + " is no answer (yes, no, ok, retry, cancel)");
        frontEnd.QueueAnswer(answer);
        answerLines.emplace_back(lineNumber, name);
        return true;
    }
    if (command == "expect" && rest.rfind("page", 0) != 0) {
        std::string what = NextWord(rest);
        int id = 0;
        if (!readId(id))
            return false;
        CWindow* control = frontEnd.Control(id);
        if (!control)
            return fail("no control " + std::to_string(id));
        if (what == "text") {
            std::string text = rest;
            if (!rest.empty() && rest.front() == '"') {
                std::size_t position = 0;
                if (!ParseQuoted(rest, position, text) || !OnlyBlanks(rest.substr(position)))
                    return fail("expect: the quoted text is not closed or has a bad escape");
            }
            if (control->GetWindowText() != text)
                return fail("control " + std::to_string(id) + " shows " + CHeadlessFrontEnd::Quote(control->GetWindowText())
                            + ", not " + CHeadlessFrontEnd::Quote(text));
            return true;
        }
        if (!noMore())
            return false;
        bool holds = false;
        auto* button = dynamic_cast<CButton*>(control);
        if (what == "enabled")
            holds = control->IsWindowEnabled();
        else if (what == "disabled")
            holds = !control->IsWindowEnabled();
        else if (what == "visible")
            holds = control->IsWindowVisible();
        else if (what == "hidden")
            holds = !control->IsWindowVisible();
        else if (what == "checked" || what == "unchecked")
            holds = button && (button->GetCheck() != 0) == (what == "checked");
        else
            return fail("expect: " + Quoted(what) + " is nothing to expect (page, text, enabled, disabled, visible, "
                        "hidden, checked, unchecked)");
        if (!holds)
            return fail("control " + std::to_string(id) + " is not " + what);
        return true;
    }
    if (command == "wait" || command == "expect") {
        std::string what = NextWord(rest);
        int page = 0;
        std::string word = NextWord(rest);
        if (what != "page" || !ParseInt(word, page))
            return fail(command + ": expected \"" + command + " page N\"");
        if (command == "expect") {
            if (!noMore())
                return false;
            if (frontEnd.CurrentPage() != page)
                return fail("page " + std::to_string(frontEnd.CurrentPage()) + " is shown, not page "
                            + std::to_string(page));
            return true;
        }
        double seconds = static_cast<double>(kDefaultWait.count());
        std::string limit = NextWord(rest);
        if (!limit.empty() && !ParseSeconds(limit, seconds))
            return fail("wait: " + Quoted(limit) + " is no number of seconds");
        if (!noMore())
            return false;
        auto wait = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        if (!frontEnd.WaitForPage(page, wait))
            return fail("page " + std::to_string(page) + " was not shown within " + limit
                        + (limit.empty() ? std::to_string(kDefaultWait.count()) : "") + " s");
        return true;
    }
    if (command == "dump") {
        if (!noMore())
            return false;
        CDialog* page = frontEnd.FrontPage();
        if (!page)
            return fail("dump: no dialog is shown");
        for (const std::string& described : CHeadlessFrontEnd::DumpControls(*page))
            Print(described);
        return true;
    }
    return fail("unknown command " + Quoted(command));
}

int RunScriptText(const std::string& script, const std::function<int()>& runProgram, std::ostream& out)
{
    std::vector<std::string> lines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    CHeadlessFrontEnd frontEnd;
    CScriptRunner runner(frontEnd, std::move(lines), out);
    return runner.Run(runProgram);
}

int RunScriptFile(const std::string& path, const std::function<int()>& runProgram, std::ostream& out)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        out << "script error: 0: cannot read " << path << '\n';
        out.flush();
        return CScriptRunner::kExitScriptFailed;
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    CHeadlessFrontEnd frontEnd;
    CScriptRunner runner(frontEnd, std::move(lines), out);
    return runner.Run(runProgram);
}

}
