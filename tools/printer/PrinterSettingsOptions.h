#pragma once

// The stand-in printer's options for its settings state (see PrinterSettings.h).

#include <cstdint>
#include <string>
#include <vector>

namespace plintor::printer {

// One access point that the stand-in's wireless adapter "hears".
struct StandInAccessPoint {
    std::string ssid;
    std::string encryptionMode;  // the answer value: "0", "1", "2", "3", "6", ...
    std::string linkQuality;     // "1", "2", "3"
};

struct PrinterSettingsOptions {
    std::string stateFile;                       // --state: KEY=VALUE lines after every job
    std::vector<StandInAccessPoint> accessPoints; // --access-point, in answer order
    std::string surveyStatus = "1";              // --survey-status; "none" leaves the line out
    std::string surveyCount;                     // --survey-count; empty: the number of points
    std::uint32_t rebootMilliseconds = 0;        // --reboot-time; 0: a restart is instant

    // "SSID,ENC,QUALITY"; the SSID may hold commas, the last two fields may not.
    bool AddAccessPoint(const std::string& text);
    bool SetRebootTime(const std::string& text);
};

}
