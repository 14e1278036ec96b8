#include "PrinterSettings.h"

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

// The DEFAULT variables the FAX inquiry may ask for.
constexpr std::string_view faxVariables[] = {
    "IWAFAXFUNC", "FAX_SET_COUNTRY", "FAX_SET_LINE_TYPE", "FAX_SET_DIAL_TYPE",
    "FAX_SET_RCV_MODE", "FAX_SET_DRPD", "FAX_SET_SD_HEAD_NAME", "FAX_SET_G3ID",
};

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

CPrinterSettings::CPrinterSettings()
{
    state = {
        {"JOBS", "0"},
        {"RESTARTS", "0"},
        {"REPORTS", ""},
        {"UNKNOWN_LINES", "0"},
        {"LANG", "ENGLISH"},
        {"IWANVMSETTINGS", ""},
        {"IWAWIRELESS", "OFF"},
        {"IWAFAXFUNC", "ON"},
        {"FAX_SET_COUNTRY", "UNITEDSTATES"},
        {"FAX_SET_LINE_TYPE", "PSTN"},
        {"FAX_SET_DIAL_TYPE", "PB"},
        {"FAX_SET_RCV_MODE", "FAX"},
        {"FAX_SET_DRPD", "PAT1"},
        {"FAX_SET_SD_HEAD_NAME", ""},
        {"FAX_SET_G3ID", ""},
        {"FAXSAVE", "0"},
    };
    for (const char* form : {"TCPIP.", "WLAN."}) {
        std::string prefix = form;
        state[prefix + "VSSTACKMODE"] = "DUAL";
        state[prefix + "IPMODE"] = "DHCP";
        state[prefix + "IPADDRESS"] = "00000000";
        state[prefix + "SNMADDRESS"] = "FF000000";
        state[prefix + "GTWADDRESS"] = "00000000";
        state[prefix + "VSMANUAL"] = "OFF";
        state[prefix + "VSIPADDRESS"] = "0000:0000:0000:0000:0000:0000:0000:0000/0";
        state[prefix + "VSGTWADDRESS"] = "0000:0000:0000:0000:0000:0000:0000:0000";
    }
    for (const char* key : {"SSID", "PASSPHRASE", "WEPKEYSIZE", "TRANSMITKEY", "WEPKEY"})
        state[std::string("WLAN.") + key] = "";
    state["WLAN.NETWORKTYPE"] = "INFRASTRUCTURE";
    state["WLAN.SECURITY"] = "NOSECURITY";
}

int CPrinterSettings::ParseOption(std::string_view argument, const char* value)
{
    auto needsValue = [&]() { return value != nullptr; };
    if (argument == "--state") {
        if (!needsValue())
            return -1;
        statePath = value;
        return 2;
    }
    if (argument == "--set") {
        if (!needsValue())
            return -1;
        std::string_view pair = value;
        std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return -1;
        state[std::string(pair.substr(0, equals))] = std::string(pair.substr(equals + 1));
        return 2;
    }
    if (argument == "--access-point") {
        if (!needsValue())
            return -1;
        // SSID,ENC,QUALITY: the SSID may itself hold commas, the last two fields may not.
        std::string_view text = value;
        std::size_t second = text.rfind(',');
        if (second == std::string_view::npos || second == 0)
            return -1;
        std::size_t first = text.rfind(',', second - 1);
        if (first == std::string_view::npos)
            return -1;
        accessPoints.push_back({std::string(text.substr(0, first)), std::string(text.substr(first + 1, second - first - 1)),
                                std::string(text.substr(second + 1))});
        return 2;
    }
    if (argument == "--survey-status") {
        if (!needsValue())
            return -1;
        surveyStatus = value;
        return 2;
    }
    if (argument == "--survey-count") {
        if (!needsValue())
            return -1;
        surveyCount = value;
        return 2;
    }
    if (argument == "--reboot-time") {
        if (!needsValue())
            return -1;
        char* end = nullptr;
        unsigned long ms = std::strtoul(value, &end, 10);
        if (end == value || *end != '\0' || ms > 600000)
            return -1;
        rebootMilliseconds = static_cast<std::uint32_t>(ms);
        return 2;
    }
    return 0;
}

const char* CPrinterSettings::OptionsHelp()
{
    return "  --state FILE               write the settings state after every job (KEY=VALUE lines)\n"
           "  --set KEY=VALUE            preset a state value, e.g. FAX_SET_COUNTRY=GERMANY\n"
           "  --access-point SSID,ENC,Q  an access point of the survey answer (repeatable)\n"
           "  --survey-status VALUE      DATASTATUS of the survey answer; \"none\" leaves it out\n"
           "  --survey-count VALUE       FINDDATANUM of the survey answer (default: the count)\n"
           "  --reboot-time MS           how long a restart keeps the printer unreachable (2000)\n";
}

bool CPrinterSettings::IsQuestion(std::string_view line)
{
    line = TrimLineEnd(line);
    return line.starts_with(kDinquire) || line == kSurvey;
}

std::string CPrinterSettings::AnswerQuestion(std::string_view line) const
{
    line = TrimLineEnd(line);
    std::string block(line);
    block += "\r\n";
    if (line == kSurvey) {
        block += SurveyAnswer();
    } else {
        std::string_view variable = line.substr(kDinquire.size());
        bool known = false;
        for (std::string_view fax : faxVariables)
            known = known || fax == variable;
        auto found = state.find(std::string(variable));
        if (known && found != state.end())
            block += found->second + "\r\n";
        else
            block += "?\r\n";
    }
    block += kFormFeed;
    return block;
}

std::string CPrinterSettings::SurveyAnswer() const
{
    std::string lines;
    if (surveyStatus != "none")
        lines += "DATASTATUS=" + surveyStatus + "\r\n";
    lines += "FINDDATANUM=" + (surveyCount.empty() ? std::to_string(accessPoints.size()) : surveyCount) + "\r\n";
    for (std::size_t i = 0; i < accessPoints.size(); ++i) {
        std::string prefix = "DATA " + std::to_string(i) + " ";
        lines += prefix + "SSID=\"" + accessPoints[i].ssid + "\"\r\n";
        lines += prefix + "Encryption Mode=" + accessPoints[i].encryptionMode + "\r\n";
        lines += prefix + "Link Quality=" + accessPoints[i].linkQuality + "\r\n";
    }
    return lines;
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
        state["LANG"] = staged["LANG"];
        state["UNKNOWN_LINES"] = staged["UNKNOWN_LINES"];
    }
    Increment(state, "JOBS");
    return restart;
}

void CPrinterSettings::ApplyLine(std::string_view line, std::map<std::string, std::string>& target)
{
    if (line == kReboot || IsQuestion(line) || line.starts_with("@PJL INFO ") || line == "@PJL")
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
    if (statePath.empty())
        return true;
    // Written beside and renamed, so that a reader never sees half a file.
    std::string temporary = statePath + ".new";
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
    return std::rename(temporary.c_str(), statePath.c_str()) == 0;
}

}
