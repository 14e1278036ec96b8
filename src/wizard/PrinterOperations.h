#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace plintor {

struct ApplyReport;
struct ApSurveyResult;
struct RunState;
struct SettingsContext;

// Every operation that start-up and the pages run against printers: the searches, the
// typed-address checks, the FAX read, the setup-state question, the settings jobs and
// the access point survey. The run state carries one set (RunState::operations); the
// program's own come from ProgramPrinterOperations(), and a test hands in a set whose
// entries it replaced. An entry left empty finds nothing and answers "no".
//
// The searches run on worker threads; they read the set while the main thread does not
// change it (a test replaces entries before the wizard runs).
struct PrinterOperations {
    // Empties run.printers and adds every supported USB printer; returns their number and
    // counts in `noAdapterCount` the supported ones left out for lacking a wireless
    // adapter (wireless configuration with the adapter check on).
    std::function<int(RunState& run, int& noAdapterCount)> discoverUsb;
    // Adds the supported network printers to the (emptied) run.printers; returns their number.
    std::function<int(RunState& run)> discoverNetwork;
    // Typed address: 1 when it is usable (not empty, not 0.0.0.0 or 255.255.255.255, and
    // resolves), else 0.
    std::function<int(const std::string& address)> validateTypedAddress;
    // Typed address: 0 supported, 1 not a supported model, 2 without a wireless adapter
    // in a wireless configuration with the check on, 3 no answer.
    std::function<int(RunState& run, const std::string& address)> checkTypedAddress;
    // Typed address: 1 and the 12-digit MAC address, or 0.
    std::function<int(const std::string& address, std::string& mac)> getTypedAddressMac;
    // Sets aside the local printer queues that print to a typed network address.
    std::function<void(RunState& run, const std::string& address)> disableBidi;
    // The capability query at a network address: 1 and `options`, or 0 when it failed.
    std::function<int(RunState& run, const std::string& address, std::int32_t& options)> queryOptions;
    // Reads the FAX settings of the chosen printer into run.currentPrinter; returns the
    // read status (1 answered, 0 not).
    std::function<int(RunState& run)> readFaxSettings;
    // Asks the chosen printers whether they accept new settings now; `code` 5 means the
    // printer refused (it is busy), other codes that it could not be asked.
    std::function<bool(RunState& run, int& code)> querySetupState;
    // Sends the settings; `report` says what failed when it returns false.
    std::function<bool(RunState& run, ApplyReport& report)> applySettings;
    // Sends the panel language of the chosen entries on its own.
    std::function<bool(RunState& run)> applyPanelLanguage;
    std::function<bool(RunState& run)> printSettingsReport;
    // The access point survey of the USB printer at `devicePath` into `result` (runs on
    // a worker thread; `context` is the run's, taken on the main thread).
    std::function<void(ApSurveyResult& result, const std::string& devicePath, const SettingsContext& context)>
        surveyAccessPoints;
    // The pause before a retry.
    std::function<void(std::chrono::milliseconds pause)> pause;
    // A change made to every settings context of the run (wizard/RunContexts.h): shorter
    // channel waits, another place for the file-mode job, a fixed nation. Empty: none.
    std::function<void(SettingsContext& context)> adjustContext;
};

// The program's operations.
PrinterOperations ProgramPrinterOperations();

}
