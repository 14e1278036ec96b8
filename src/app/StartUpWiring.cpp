#include "app/StartUpWiring.h"

#include "app/CPlintorApp.h"
#include "discovery/DiscoverCommand.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/SpoolerUpkeep.h"
#include "pages/RunWizardFrame.h"

#include <cstdio>
#include <string>

namespace plintor {

namespace {

// One stderr line about a release of spooler queues, when there is something to say.
void SayOnStderr(const ReleaseReport& report, const char* whose, bool sayReleased)
{
    std::string line = DescribeRelease(report, whose, sayReleased);
    if (!line.empty())
        std::fprintf(stderr, "%s\n", line.c_str());
}

const char* kEarlierRun = "an earlier run";
const char* kThisRun = "this run";

}

StartUpHooks ProgramStartUpHooks()
{
    StartUpHooks hooks;
    hooks.runWizardFrame = [](CPlintorApp& app, int startPage) { return RunWizardFrame(app, startPage); };
    hooks.restorePrinters = [](CPlintorApp& app) {
        SayOnStderr(CSpoolerUpkeep::ForThisRun().RestoreBidi(app.printersToRestore), kThisRun, false);
        CLinkLocalRoute::ForThisRun().Remove();
    };
    hooks.releaseLeftovers = [](CPlintorApp&) { ReleaseLeftoverQueues(); };
    return hooks;
}

void ReleaseThisRunOnStop()
{
    SayOnStderr(CSpoolerUpkeep::ForThisRun().ReleaseHeld(), kThisRun, false);
    CLinkLocalRoute::ForThisRun().Remove();
}

bool ReleaseLeftoverQueues()
{
    ReleaseReport report = CSpoolerUpkeep::ForThisRun().ReleaseLeftovers();
    SayOnStderr(report, kEarlierRun, true);
    return report.failed.empty();
}

int RunReleaseQueuesAfterStartUp(CPlintorApp& app)
{
    // Start-up's checks come first: the lock keeps a run that is going on from losing
    // its holds, and releasing needs the rights the administrator test asks for.
    bool released = false;
    bool ran = false;
    // Nothing else of a run: no USB search, no panel language job, no wizard.
    app.hooks = StartUpHooks{};
    app.operations = PrinterOperations{};
    app.hooks.releaseLeftovers = [&](CPlintorApp&) {
        ran = true;
        ReleaseReport report = CSpoolerUpkeep::ForThisRun().ReleaseLeftovers();
        if (report.Empty())
            std::fprintf(stderr, "plintor: no print queue is left paused by an earlier run\n");
        SayOnStderr(report, kEarlierRun, true);
        released = report.failed.empty();
    };
    app.hooks.runWizardFrame = [](CPlintorApp&, int) { return true; };
    app.InitInstance();
    app.ExitInstance();
    return ran && released ? 0 : 1;
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
