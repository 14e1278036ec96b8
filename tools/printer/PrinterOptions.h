#pragma once

// The stand-in printer's command line. Each option is one row of the table in
// PrinterOptions.cpp (name, argument, help text, how it sets a field here); a new option is
// a new row and a new field, nothing else.

#include "Faults.h"
#include "PrinterSettingsOptions.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plintor::printer {

struct PrinterOptions {
    // PJL over TCP.
    std::string bind;            // empty: every address, IPv4 and IPv6
    int pjlPort = 9100;          // 0: the system picks one (reported when ready)
    // Identity and answers.
    std::string id = "PLINTOR MFP 9000";        // the "@PJL INFO ID" answer line
    std::vector<std::string> options{"WLAN"};   // the "@PJL INFO IWAOPTIONS" answer lines
    bool setupEnabled = true;                   // "@PJL INFO IWASETUP": SETUP=ENABLE or DISABLE
    std::map<std::string, std::string> variables; // DINQUIRE / INQUIRE answers by name
    // Where things go.
    std::string logFile;         // every job received, byte for byte
    std::string usbDir;          // also a USB printer, with its fake sysfs tree here
    std::string portFile;        // the PJL port, written when ready
    std::string readyFile;       // KEY=VALUE lines (pjl-port, usb-device, ...), written when ready
    // Settings state: --state, --access-point, --survey-status, --survey-count, --reboot-time.
    PrinterSettingsOptions settings;
    // Misbehaviour.
    Faults faults;
    bool help = false;
};

struct OptionRow {
    const char* name;       // "--pjl-port"
    const char* argument;   // "N", or nullptr for a switch
    const char* help;
    // Sets the option from its argument (empty for a switch); false rejects it.
    bool (*apply)(PrinterOptions& options, const std::string& argument);
};

const std::vector<OptionRow>& OptionTable();

// Parses argv; on a bad option or argument `error` says which and the result is empty.
std::optional<PrinterOptions> ParseOptions(int argc, char** argv, std::string& error);

// The usage text built from the table.
std::string UsageText();

}
