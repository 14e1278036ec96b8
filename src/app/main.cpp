#include "app/CPlintorApp.h"
#include "app/CommandLine.h"
#include "app/StartUpWiring.h"
#include "platform/StopSignals.h"
#include "ui/DesktopFrontEnd.h"
#include "ui/headless/CScriptRunner.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    using namespace plintor;

    ProgramArguments arguments = SplitProgramArguments(argc, argv);
    if (arguments.help) {
        std::fputs(ProgramUsage().c_str(), stdout);
        return 0;
    }
    if (arguments.version) {
        std::puts("plintor " PLINTOR_VERSION);
        return 0;
    }
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "plintor: %s (see plintor --help)\n", arguments.error.c_str());
        return 2;
    }

    // Before any thread or the toolkit starts, so that every thread inherits the blocked
    // stop signals: SIGINT, SIGTERM and SIGHUP end the run only after the watcher has
    // undone what the run changed on the workstation.
    platform::StartStopSignalWatch();

    // The front ends take their own arguments (arguments.scriptPath, arguments.frontEnd)
    // and install themselves here, before start-up; without one, message boxes go to
    // stderr. Start-up sees only the command line without the front ends' arguments.
    CPlintorApp app;
    app.hooks = ProgramStartUpHooks();
    app.commandLine = arguments.commandLine;
    // For administrators and outside checks: the printers discovery finds, one per line.
    auto given = [&arguments](const char* option) {
        return std::find(arguments.frontEnd.begin(), arguments.frontEnd.end(), option) != arguments.frontEnd.end();
    };
    if (given("--discover"))
        return RunDiscoverAfterStartUp(app);
    // For administrators: release the spooler queues that a run left held.
    if (given("--release-queues"))
        return RunReleaseQueuesAfterStartUp(app);
    // The spooler queues the wizard held and its link-local route, on a stop signal; at a
    // normal end the exit hook releases them.
    platform::CStopSignalCleanUp releaseOnStop(ReleaseThisRunOnStop);
    auto runProgram = [&app] {
        app.InitInstance();
        return app.ExitInstance();
    };
    // The script front end: no display, the transcript on stdout.
    if (!arguments.scriptPath.empty())
        return RunScriptFile(arguments.scriptPath, runProgram, std::cout);
    // The desktop front end, when the build has one and a display can be reached.
    int exitCode = 0;
    if (RunDesktopFrontEnd(argc, argv, runProgram, exitCode))
        return exitCode;
    // Neither a script nor a display: start-up's messages go to stderr, and the wizard,
    // which nobody could see, is not shown.
    const int code = runProgram();
    if (code != 0)
        return code;
    std::fputs("plintor: no display to show the wizard on (set DISPLAY, or run a script with --script FILE)\n",
               stderr);
    return 1;
}
