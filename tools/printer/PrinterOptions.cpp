#include "PrinterOptions.h"

#include <cstdlib>
#include <cstring>

namespace plintor::printer {

namespace {

bool ParsePort(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::atoi(text.c_str());
    return port <= 65535;
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        if (comma > start)
            parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

const std::vector<OptionRow> Table = {
    {"--bind", "ADDR", "address to listen on for PJL (default: every address)",
     [](PrinterOptions& o, const std::string& a) { o.bind = a; return !a.empty(); }},
    {"--pjl-port", "N", "TCP port for PJL (default 9100; 0 lets the system choose)",
     [](PrinterOptions& o, const std::string& a) { return ParsePort(a, o.pjlPort); }},
    {"--id", "TEXT", "the \"@PJL INFO ID\" answer line (default \"PLINTOR MFP 9000\")",
     [](PrinterOptions& o, const std::string& a) { o.id = a; return true; }},
    {"--options", "TEXT", "the \"@PJL INFO IWAOPTIONS\" answer lines, separated by \",\" (default WLAN)",
     [](PrinterOptions& o, const std::string& a) { o.options = SplitCommas(a); return true; }},
    {"--setup", "enable|disable", "the \"@PJL INFO IWASETUP\" state (default enable)",
     [](PrinterOptions& o, const std::string& a) {
         if (a != "enable" && a != "disable")
             return false;
         o.setupEnabled = a == "enable";
         return true;
     }},
    {"--dinquire", "NAME=VALUE", "answer \"@PJL DINQUIRE NAME\" with VALUE (repeatable; others get \"?\")",
     [](PrinterOptions& o, const std::string& a) {
         auto equals = a.find('=');
         if (equals == 0 || equals == std::string::npos)
             return false;
         o.variables[a.substr(0, equals)] = a.substr(equals + 1);
         return true;
     }},
    {"--log", "FILE", "append every job received to FILE, byte for byte",
     [](PrinterOptions& o, const std::string& a) { o.logFile = a; return !a.empty(); }},
    {"--usb", "DIR", "also be a USB printer: a pseudo-terminal with a fake sysfs tree under DIR",
     [](PrinterOptions& o, const std::string& a) { o.usbDir = a; return !a.empty(); }},
    {"--segment-pause", "MS", "pause between the pieces of an answer: the echo line, each line and the\n"
     "                          form feed go out in separate writes (default 10; 0: one write)",
     [](PrinterOptions& o, const std::string& a) {
         if (a.empty() || a.size() > 5 || a.find_first_not_of("0123456789") != std::string::npos)
             return false;
         o.faults.segmentPauseMs = std::atoi(a.c_str());
         return true;
     }},
    {"--fault", "NAME[=ARG]", "misbehave (repeatable); see Faults below",
     [](PrinterOptions& o, const std::string& a) { return o.faults.Add(a); }},
    {"--port-file", "FILE", "write the PJL port to FILE once listening (for --pjl-port 0)",
     [](PrinterOptions& o, const std::string& a) { o.portFile = a; return !a.empty(); }},
    {"--ready-file", "FILE", "write KEY=VALUE lines (pjl-port, usb-device, ...) to FILE once ready",
     [](PrinterOptions& o, const std::string& a) { o.readyFile = a; return !a.empty(); }},
    {"--snmp-port", "N", "UDP port of the SNMP agent (default 161, skipped if busy; 0 lets the system choose)",
     [](PrinterOptions& o, const std::string& a) { return ParseSnmpPort(a, o.snmp); }},
    {"--sysobjectid", "OID", "the sysObjectID.0 value (default 1.3.6.1.4.1.99999.1.1, a model of the sample configuration)",
     [](PrinterOptions& o, const std::string& a) { o.snmp.sysObjectId = a; return !a.empty(); }},
    {"--mac", "HEX12", "the ifPhysAddress.1 value, 12 hexadecimal digits (default 020000000001)",
     [](PrinterOptions& o, const std::string& a) { return ParseSnmpMac(a, o.snmp); }},
    {"--snmp-fault", "NAME", "SNMP misbehaviour: none, wrong-request-id, trailing-bytes, short-mac,\n"
     "                          no-mac-answer, counter64, junk, silent",
     [](PrinterOptions& o, const std::string& a) { return ParseSnmpFault(a, o.snmp); }},
    {"--state", "FILE", "write the settings state (KEY=VALUE lines) to FILE after every job",
     [](PrinterOptions& o, const std::string& a) { o.settings.stateFile = a; return !a.empty(); }},
    {"--access-point", "SSID,ENC,Q", "an access point of the survey answer: SSID, encryption mode, link quality (repeatable)",
     [](PrinterOptions& o, const std::string& a) { return o.settings.AddAccessPoint(a); }},
    {"--survey-status", "VALUE", "DATASTATUS of the survey answer (default 1; \"none\" leaves the line out)",
     [](PrinterOptions& o, const std::string& a) { o.settings.surveyStatus = a; return !a.empty(); }},
    {"--survey-count", "VALUE", "FINDDATANUM of the survey answer (default: the number of access points)",
     [](PrinterOptions& o, const std::string& a) { o.settings.surveyCount = a; return !a.empty(); }},
    {"--reboot-time", "MS", "how long \"@PJL REBOOT\" keeps the printer unreachable (default 0: it stays reachable)",
     [](PrinterOptions& o, const std::string& a) { return o.settings.SetRebootTime(a); }},
    {"--help", nullptr, "show this text",
     [](PrinterOptions& o, const std::string&) { o.help = true; return true; }},
};

}

const std::vector<OptionRow>& OptionTable()
{
    return Table;
}

std::optional<PrinterOptions> ParseOptions(int argc, char** argv, std::string& error)
{
    PrinterOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        std::string argument;
        bool inlineArgument = false;
        if (auto equals = word.find('='); word.starts_with("--") && equals != std::string::npos) {
            argument = word.substr(equals + 1);
            word.resize(equals);
            inlineArgument = true;
        }
        const OptionRow* row = nullptr;
        for (const auto& candidate : Table)
            if (word == candidate.name)
                row = &candidate;
        if (!row) {
            error = "unknown option " + word;
            return std::nullopt;
        }
        if (row->argument && !inlineArgument) {
            if (i + 1 >= argc) {
                error = word + " needs " + row->argument;
                return std::nullopt;
            }
            argument = argv[++i];
        } else if (!row->argument && inlineArgument) {
            error = word + " takes no argument";
            return std::nullopt;
        }
        if (!row->apply(options, argument)) {
            error = "bad value for " + word + ": " + argument;
            return std::nullopt;
        }
    }
    return options;
}

std::string UsageText()
{
    std::string text = "usage: plintor-printer [options]\n"
                       "A stand-in multifunction printer that answers PJL on TCP and, with --usb, as a\n"
                       "USB printer on a pseudo-terminal.\n\n";
    for (const auto& row : Table) {
        std::string left = std::string("  ") + row.name;
        if (row.argument)
            left += std::string(" ") + row.argument;
        if (left.size() < 26)
            left.resize(26, ' ');
        else
            left += "\n" + std::string(26, ' ');
        text += left + row.help + "\n";
    }
    text += "\nFaults:\n" + FaultHelp();
    return text;
}

}
