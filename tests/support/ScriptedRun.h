#pragma once

// The whole program run in-process under the script front end: start-up with a command
// line and a configuration file of the test's own, as an administrator on a supported
// system, with the USB search finding exactly one stand-in USB printer.

#include "core/LangId.h"
#include "wizard/PrinterOperations.h"

#include <cstdint>
#include <string>

namespace plintor::test {

struct ScriptedRun {
    std::string configPath;      // the configuration file start-up reads
    std::string usbDevice;       // the stand-in's device file, found by the USB search
    int usbOptions = 0;          // the capability the USB search reports for it
    std::uint16_t uiLanguage = LANG_ENGLISH_US;
    // The run's printer operations; the USB search among them is replaced by one that
    // finds the stand-in.
    PrinterOperations operations = ProgramPrinterOperations();
};

// Runs start-up with `commandLine` under `script`; returns the exit status and leaves the
// transcript in `transcript`.
int RunProgramUnderScript(const ScriptedRun& run, const std::string& commandLine, const std::string& script,
                          std::string& transcript);

}
