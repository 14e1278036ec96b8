#include "app/StartUpWiring.h"

#include "wizard/RunWizardFrame.h"

namespace plintor {

StartUpHooks ProgramStartUpHooks()
{
    StartUpHooks hooks;
    hooks.runWizardFrame = RunWizardFrame;
    // Each module plugs its operation in here, for example:
    //   hooks.runWizardFrame = [](CPlintorApp& app, int startPage) { ... CWizardDlg ... };
    //   hooks.discoverUsb = [](CPlintorApp& app) { ... DiscoverUsb ... };
    return hooks;
}

}
