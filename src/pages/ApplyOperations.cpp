#include "pages/ApplyOperations.h"

#include "app/AppSettingsContext.h"
#include "pages/SetupState.h"
#include "settings/ApplySettings.h"

#include <thread>

namespace plintor {

ApplyOperations ApplyOperations::ProgramOperations()
{
    ApplyOperations operations;
    operations.querySetupState = [](CPlintorApp& app, int& code) {
        return AskSetupState(MakeSettingsContext(app), code);
    };
    operations.applySettings = [](CPlintorApp& app, ApplyReport& report) {
        return ApplySettings(MakeSettingsContext(app), &report);
    };
    operations.printSettingsReport = [](CPlintorApp& app) { return PrintSettingsReport(MakeSettingsContext(app)); };
    operations.sleep = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
    return operations;
}

}
