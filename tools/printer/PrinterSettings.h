#pragma once

// The settings side of the stand-in printer: the values that the wizard's settings jobs
// write (IP, wireless, FAX, panel language), the answers to the FAX inquiries and to the
// access point survey, and the report requests.
//
// A job's settings lines are collected while the job is read and take effect only when
// the job ends with "@PJL REBOOT", the way the printer keeps new network settings until it
// restarts. A job without the restart still changes the panel language at once ("@PJL
// DEFAULT LANG=..." alone is how the wizard changes only the language). State is held as
// KEY=VALUE pairs and written after every job to the state file, so that tests assert
// what the printer ended up with.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace plintor::printer {

// One access point that the stand-in's wireless adapter "hears".
struct StandInAccessPoint {
    std::string ssid;
    std::string encryptionMode;  // the answer value: "0", "1", "2", "3", "6", ...
    std::string linkQuality;     // "1", "2", "3"
};

class CPrinterSettings {
public:
    CPrinterSettings();

    // Command-line options this part understands; returns the number of arguments used
    // (0 when `argument` is not one of them, -1 when its value is missing or malformed).
    //   --state FILE               write the state after every job
    //   --set KEY=VALUE            preset a state value (e.g. FAX_SET_COUNTRY=GERMANY)
    //   --access-point SSID,ENC,Q  add an access point to the survey answer
    //   --survey-status VALUE      DATASTATUS of the survey answer ("none": no such line)
    //   --survey-count VALUE       FINDDATANUM of the survey answer (default: the count)
    //   --reboot-time MS           how long a restart keeps the printer unreachable
    int ParseOption(std::string_view argument, const char* value);
    static const char* OptionsHelp();

    // True for a command line that this part answers (the batch questions).
    static bool IsQuestion(std::string_view line);

    // The answer block for one question line (echo, answer lines, form feed).
    std::string AnswerQuestion(std::string_view line) const;

    // Applies the lines of one complete job; true when the job asked for a restart.
    bool ApplyJob(const std::vector<std::string>& lines);

    // Writes the state file (when one was given). False when it cannot be written.
    bool WriteState() const;

    // How long a restart keeps the printer unreachable.
    std::uint32_t RebootMilliseconds() const { return rebootMilliseconds; }

    const std::map<std::string, std::string>& State() const { return state; }

private:
    void ApplyLine(std::string_view line, std::map<std::string, std::string>& target);
    std::string SurveyAnswer() const;

    std::map<std::string, std::string> state;
    std::vector<StandInAccessPoint> accessPoints;
    std::string surveyStatus = "1";
    std::string surveyCount;  // empty: the number of access points
    std::string statePath;
    std::uint32_t rebootMilliseconds = 2000;
};

}
