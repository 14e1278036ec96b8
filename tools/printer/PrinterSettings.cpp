#include "PrinterSettings.h"

#include "PjlResponder.h"
#include "StandInPrinter.h"

#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace plintor::printer {

namespace {

constexpr std::string_view kPjl = "@PJL ";
constexpr std::string_view kDinquire = "@PJL DINQUIRE ";
constexpr std::string_view kSurvey = "@PJL IWAWLSERCHRESULTGET";
constexpr std::string_view kReboot = "@PJL REBOOT";
constexpr std::string_view kSaveSuffix = "_SAVE";
constexpr char kFormFeed = '\x0c';

std::string_view TrimLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

// NAME=VALUE pairs separated by blanks. A value that begins with a double quote runs to
// the last double quote of the line (the wizard sends texts unescaped, so a quote inside
// a text is part of it) and loses the two quotes.
std::vector<std::pair<std::string, std::string>> ParsePairs(std::string_view rest)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && rest[pos] == ' ')
            ++pos;
        if (pos >= rest.size())
            break;
        std::size_t equals = rest.find('=', pos);
        std::size_t blank = rest.find(' ', pos);
        if (equals == std::string_view::npos || (blank != std::string_view::npos && blank < equals)) {
            std::size_t end = blank == std::string_view::npos ? rest.size() : blank;
            pairs.emplace_back(std::string(rest.substr(pos, end - pos)), std::string());
            pos = end;
            continue;
        }
        std::string name(rest.substr(pos, equals - pos));
        std::size_t start = equals + 1;
        if (start < rest.size() && rest[start] == '"') {
            std::size_t close = rest.rfind('"');
            if (close <= start)
                close = rest.size();
            pairs.emplace_back(name, std::string(rest.substr(start + 1, close - start - 1)));
            pos = close == rest.size() ? close : close + 1;
        } else {
            std::size_t end = rest.find(' ', start);
            if (end == std::string_view::npos)
                end = rest.size();
            pairs.emplace_back(name, std::string(rest.substr(start, end - start)));
            pos = end;
        }
    }
    return pairs;
}

void Increment(std::map<std::string, std::string>& state, const std::string& key)
{
    long value = std::strtol(state[key].c_str(), nullptr, 10);
    state[key] = std::to_string(value + 1);
}

}

CPrinterSettings::CPrinterSettings(const PrinterSettingsOptions& settingsOptions,
                                   const std::map<std::string, std::string>& presets)
    : options(settingsOptions)
{
    // Counters only: a value the printer was never given (by --dinquire or a settings
    // job) is unknown, and an inquiry for it is answered with "?".
    state = {
        {"JOBS", "0"},
        {"RESTARTS", "0"},
        {"REPORTS", ""},
        {"UNKNOWN_LINES", "0"},
        {"FAXSAVE", "0"},
    };
    for (const auto& [name, value] : presets)
        state[name] = value;
}

bool PrinterSettingsOptions::AddAccessPoint(const std::string& text)
{
    std::size_t second = text.rfind(',');
    if (second == std::string::npos || second == 0)
        return false;
    std::size_t first = text.rfind(',', second - 1);
    if (first == std::string::npos)
        return false;
    accessPoints.push_back(
        {text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)});
    return true;
}

bool PrinterSettingsOptions::SetRebootTime(const std::string& text)
{
    char* end = nullptr;
    unsigned long ms = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || ms > 600000)
        return false;
    rebootMilliseconds = static_cast<std::uint32_t>(ms);
    return true;
}

void CPrinterSettings::Attach(CStandInPrinter& printer)
{
    CPjlResponder& responder = printer.Responder();
    responder.SetVariableSource([this](const std::string& name) -> std::optional<std::string> {
        auto found = state.find(name);
        if (found == state.end())
            return std::nullopt;
        return found->second;
    });
    responder.AddCommand(std::string(kSurvey), [this](const PjlLine& line, const std::vector<PjlLine>&) {
        return SurveyBlock(line.raw);
    });
    responder.AddJobObserver([this, &printer](const std::string&, const std::vector<PjlLine>& lines) {
        std::vector<std::string> texts;
        texts.reserve(lines.size());
        for (const PjlLine& line : lines)
            texts.push_back(line.text);
        bool restart = ApplyJob(texts);
        if (!WriteState())
            std::fprintf(stderr, "plintor-printer: cannot write the state file %s\n", options.stateFile.c_str());
        if (restart && options.rebootMilliseconds > 0)
            printer.GoOffline(std::chrono::milliseconds(options.rebootMilliseconds));
    });
    // The state as it starts, so that a printer that never got a job can be told apart
    // from one whose state file is missing.
    if (!WriteState())
        std::fprintf(stderr, "plintor-printer: cannot write the state file %s\n", options.stateFile.c_str());
}

std::string CPrinterSettings::SurveyBlock(const std::string& rawLine) const
{
    std::string block = rawLine;
    if (block.empty() || block.back() != '\n')
        block += "\r\n";
    if (options.surveyStatus != "none")
        block += "DATASTATUS=" + options.surveyStatus + "\r\n";
    const auto& points = options.accessPoints;
    block += "FINDDATANUM=" + (options.surveyCount.empty() ? std::to_string(points.size()) : options.surveyCount) +
             "\r\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::string prefix = "DATA " + std::to_string(i) + " ";
        block += prefix + "SSID=\"" + points[i].ssid + "\"\r\n";
        block += prefix + "Encryption Mode=" + points[i].encryptionMode + "\r\n";
        block += prefix + "Link Quality=" + points[i].linkQuality + "\r\n";
    }
    block += kFormFeed;
    return block;
}

bool CPrinterSettings::ApplyJob(const std::vector<std::string>& lines)
{
    std::map<std::string, std::string> staged = state;
    std::string_view last;
    for (const std::string& raw : lines) {
        std::string_view line = TrimLineEnd(raw);
        if (line.empty())
            continue;
        last = line;
        if (line.starts_with("@PJL REPORTPRINT ")) {
            // Reports print at once.
            std::string report(line.substr(17));
            std::string& log = state["REPORTS"];
            log += log.empty() ? report : " " + report;
            staged["REPORTS"] = log;
            continue;
        }
        ApplyLine(line, staged);
    }
    bool restart = last == kReboot;
    if (restart) {
        state = staged;
        Increment(state, "RESTARTS");
    } else {
        // Without a restart only the panel language changes at once.
        auto language = staged.find("LANG");
        if (language != staged.end())
            state["LANG"] = language->second;
        state["UNKNOWN_LINES"] = staged["UNKNOWN_LINES"];
    }
    Increment(state, "JOBS");
    return restart;
}

void CPrinterSettings::ApplyLine(std::string_view line, std::map<std::string, std::string>& target)
{
    if (line == kReboot || line.starts_with(kDinquire) || line.starts_with("@PJL INQUIRE ") || line == kSurvey ||
        line.starts_with("@PJL INFO ") || line.starts_with("@PJL ECHO") || line == "@PJL")
        return;
    if (line == "@PJL NVMINIT FAXSAVE") {
        Increment(target, "FAXSAVE");
        return;
    }
    if (!line.starts_with(kPjl)) {
        Increment(target, "UNKNOWN_LINES");
        return;
    }
    std::string_view rest = line.substr(kPjl.size());
    std::size_t blank = rest.find(' ');
    std::string_view command = rest.substr(0, blank);
    std::string_view arguments = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    std::string prefix;
    if (command == "IWASETTCPIP")
        prefix = "TCPIP.";
    else if (command == "SETWLPARAMS")
        prefix = "WLAN.";
    else if (command != "DEFAULT" && command != "IWANVMSETTINGS") {
        Increment(target, "UNKNOWN_LINES");
        return;
    }
    for (auto& [name, value] : ParsePairs(arguments)) {
        std::string key = name;
        if (command == "DEFAULT" && key.ends_with(kSaveSuffix))
            key.resize(key.size() - kSaveSuffix.size());
        if (command == "IWANVMSETTINGS") {
            if (key != "FUNCTION") {
                Increment(target, "UNKNOWN_LINES");
                continue;
            }
            key = "IWANVMSETTINGS";
        }
        target[prefix + key] = value;
    }
}

bool CPrinterSettings::WriteState() const
{
    if (options.stateFile.empty())
        return true;
    // Written beside and renamed, so that a reader never sees half a file.
    std::string temporary = options.stateFile + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        for (const auto& [key, value] : state)
            file << key << '=' << value << '\n';
        file.close();
        if (file.fail())
            return false;
    }
    return std::rename(temporary.c_str(), options.stateFile.c_str()) == 0;
}

}
