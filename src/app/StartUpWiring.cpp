#include "app/StartUpWiring.h"

#include "app/AppSettingsContext.h"
#include "settings/ApplySettings.h"
#include "settings/FaxRead.h"
#include "wizard/RunWizardFrame.h"

namespace plintor {

StartUpHooks ProgramStartUpHooks()
{
    StartUpHooks hooks;
    hooks.runWizardFrame = RunWizardFrame;
    hooks.readFaxSettings = [](CPlintorApp& app) {
        int status = 0;
        ReadFaxSettings(MakeSettingsContext(app), status);
        return status;
    };
    hooks.applyPanelLanguage = [](CPlintorApp& app) { return ApplyPanelLanguage(MakeSettingsContext(app)); };
    // Each module plugs its operation in here, for example:
    //   hooks.discoverUsb = [](CPlintorApp& app) { ... DiscoverUsb ... };
    return hooks;
}

}
