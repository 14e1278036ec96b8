#include "app/StartUpWiring.h"

#include "app/AppSettingsContext.h"
#include "settings/ApplySettings.h"
#include "settings/FaxRead.h"
#include "app/CPlintorApp.h"
#include "discovery/DiscoverCommand.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/UsbDiscovery.h"
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
    hooks.discoverUsb = [](CPlintorApp& app) {
        DiscoveryContext context = DiscoveryContextOf(app);
        int noModule = 0;
        return DiscoverUsb(context, noModule);
    };
    hooks.restorePrinters = [](CPlintorApp& app) {
        CSpoolerUpkeep::ForThisRun().RestoreBidi(app.printersToRestore);
        CLinkLocalRoute::ForThisRun().Remove();
    };
    return hooks;
}

DiscoveryContext DiscoveryContextOf(CPlintorApp& app)
{
    DiscoveryContext context;
    context.config = &app.config;
    context.printers = &app.printers;
    context.printersToRestore = &app.printersToRestore;
    context.spooler = &CSpoolerUpkeep::ForThisRun();
    context.configureFlags = app.configureFlags;
    context.checkWlan = app.checkWlan;
    context.configFilePath = app.configFilePath;
    context.route = &CLinkLocalRoute::ForThisRun();
    return context;
}

void ReleaseThisRunOnStop()
{
    CSpoolerUpkeep::ForThisRun().ReleaseHeld();
    CLinkLocalRoute::ForThisRun().Remove();
}

int RunDiscoverAfterStartUp(CPlintorApp& app)
{
    // Start-up's checks and the configuration come first; the wizard is not shown.
    bool searched = false;
    auto discover = [&searched](CPlintorApp& ran) {
        searched = true;
        DiscoverCommandInput input;
        input.config = &ran.config;
        input.configFilePath = ran.configFilePath;
        input.checkWlan = ran.checkWlan;
        RunDiscoverCommand(input, stdout);
    };
    app.hooks.runWizardFrame = [&discover](CPlintorApp& ran, int) {
        discover(ran);
        return true;
    };
    app.InitInstance();
    int code = app.ExitInstance();
    if (app.startUpMessage != 0)
        return 1;
    if (!searched)
        discover(app);
    return code == 0 ? 0 : 1;
}

}
