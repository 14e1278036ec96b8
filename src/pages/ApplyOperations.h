#pragma once

#include <chrono>
#include <functional>

namespace plintor {

class CPlintorApp;
struct ApplyReport;

// The operations that the confirmation and completion pages run against the printers.
// The program's own are the default; a test may put others in their place.
struct ApplyOperations {
    // Asks the chosen printers whether they accept new settings now; `code` 5 means the
    // printer refused (it is busy), other codes that it could not be asked.
    std::function<bool(CPlintorApp& app, int& code)> querySetupState;
    // Sends the settings; `report` says what failed when it returns false.
    std::function<bool(CPlintorApp& app, ApplyReport& report)> applySettings;
    std::function<bool(CPlintorApp& app)> printSettingsReport;
    // The pause before a retry.
    std::function<void(std::chrono::milliseconds pause)> sleep;

    static ApplyOperations ProgramOperations();
};

}
