#pragma once

// The settings side of the stand-in printer: the values that the wizard's settings jobs
// write (IP, wireless, FAX, panel language), the answers to the FAX inquiries and to the
// access point survey, and the report requests.
//
// A job's settings lines take effect only when the job ends with "@PJL REBOOT", the way
// the printer keeps new settings until it restarts; the restart then makes the printer
// unreachable for --reboot-time (default 0: it stays reachable). A job without the restart still changes the panel
// language at once ("@PJL DEFAULT LANG=..." alone is how the wizard changes only the
// language). Reports ("@PJL REPORTPRINT ...") are logged at once. The state is a set of
// KEY=VALUE pairs, written at start and after every job to the --state file so that tests can assert
// what the printer ended up with:
//   LANG, IWAWIRELESS, IWAFAXFUNC, FAX_SET_* (the DINQUIRE names), FAXSAVE (count of
//   "@PJL NVMINIT FAXSAVE"), IWANVMSETTINGS (last bracket function), TCPIP.<name> for
//   the wired IP lines, WLAN.<name> for the wireless lines, JOBS, RESTARTS, REPORTS
//   (the report names in order), UNKNOWN_LINES.
// --dinquire NAME=VALUE presets a state value (FAX_SET_COUNTRY=GERMANY, LANG=FRENCH);
// a value never given is unknown: absent from the state, and "?" to an inquiry.

#include "PrinterSettingsOptions.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace plintor::printer {

class CStandInPrinter;

class CPrinterSettings {
public:
    CPrinterSettings(const PrinterSettingsOptions& options, const std::map<std::string, std::string>& presets);

    // Hooks this state into the printer's responder: DINQUIRE answers, the survey answer,
    // and a job observer that applies jobs, writes the state and restarts.
    void Attach(CStandInPrinter& printer);

    // The survey answer block for its request line.
    std::string SurveyBlock(const std::string& rawLine) const;

    // Applies the lines of one complete job; true when the job asked for a restart.
    bool ApplyJob(const std::vector<std::string>& lines);

    // Writes the state file (when one was given). False when it cannot be written.
    bool WriteState() const;

    const std::map<std::string, std::string>& State() const { return state; }

private:
    void ApplyLine(std::string_view line, std::map<std::string, std::string>& target);

    const PrinterSettingsOptions& options;
    std::map<std::string, std::string> state;
};

}
