#pragma once

#include "platform/InstanceLock.h"
#include "wizard/RunState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plintor {

class CPlintorApp;

// The calls start-up makes into the wizard and the spooler upkeep. Each defaults to
// "no wizard / nothing to do", so start-up runs to its end without them. The printer
// operations (the USB search, the FAX read, the panel language job) are the run's
// `operations` (wizard/PrinterOperations.h).
struct StartUpHooks {
    // Runs the wizard frame modally, opening on `startPage`, in `app.uiLanguage`; true
    // when it ran. Empty: no wizard.
    std::function<bool(CPlintorApp& app, int startPage)> runWizardFrame;
    // Switches the spooler queues of `app.printersToRestore` back to normal at exit.
    // Empty: nothing to restore.
    std::function<void(CPlintorApp& app)> restorePrinters;
    // Releases the spooler queues that earlier runs left held; runs once the lock is held
    // and the administrator test has passed, so that it never touches the queues of a run
    // that is still going on. Empty: nothing is released.
    std::function<void(CPlintorApp& app)> releaseLeftovers;
};

// The system services start-up consults. `DefaultStartUpServices()` gives the real ones;
// tests replace single entries.
struct StartUpServices {
    std::function<std::string()> configFilePath;
    std::function<int()> osVersionCode;
    std::function<bool()> isAdministrator;
    // The first interface language, before the configuration is read.
    std::function<std::uint16_t()> defaultLanguage;
    // The final interface language, from `app.optLanguage` and `app.config`.
    std::function<std::uint16_t(const CPlintorApp& app)> uiLanguage;
    // Whether the program has its interface in a language.
    std::function<bool(std::uint16_t langId)> isUsableLanguage;
    // Shows a message box (text id, title id, style) in a language; returns the button.
    std::function<int(std::uint16_t langId, unsigned textId, unsigned titleId, std::uint32_t style)> showMessage;
};

StartUpServices DefaultStartUpServices();

// The application object: start-up, over the run state that all pages share for the
// whole run (wizard/RunState.h). One per process.
//
// Start-up (`InitInstance`) checks the system, takes the machine-wide single-instance
// lock named by MUTEX_NAME, checks for administrator rights, reads the configuration
// file, parses the command line, settles the interface language and the run options and
// runs the wizard. Any failure shows one message box (title "Warning!") and ends the run;
// `startUpMessage` then names the message and the exit code is non-zero. The lock is held
// from its creation until start-up returns.
class CPlintorApp : public RunState {
public:
    CPlintorApp();
    explicit CPlintorApp(StartUpServices services);
    CPlintorApp(StartUpServices services, PrinterOperations printerOperations);
    virtual ~CPlintorApp();

    // Start-up; false always (the process ends after it).
    virtual bool InitInstance();
    // The process's exit code: first hands the queues of `printersToRestore` back
    // (restorePrinters hook) and empties that list.
    virtual int ExitInstance();

    // The single-instance lock for a system code and MUTEX_NAME; not held when another
    // process holds it or it cannot be made.
    static platform::InstanceLock CreateInstanceLock(int systemCode, const std::string& name);
    // The lock's full name: "Global\" + name on every system newer than NT 4.
    static std::string InstanceLockName(int systemCode, const std::string& name);

    bool IsUserAdministrator() const;
    // Reads `commandLine`; false when the options contradict each other ("/ip" with
    // "/wireless" without "/select").
    bool ParseCommandLine();
    // Sets connectionMode, configureFlags, backButtonFlag and checkWlan.
    void ResolveRunOptions();
    // The first wizard page (PageIndex), or -1 when no wizard is shown.
    int ComputeStartPage();
    // True when the wizard ran.
    bool RunWizard();

    // The run's inputs and start-up's own state.
    std::string commandLine;                  // the options, as the user gave them
    unsigned startUpMessage = 0;              // id of the message that ended start-up, 0 none
    StartUpHooks hooks;
    StartUpServices services;

private:
    void ShowStartUpMessage(unsigned textId);
    platform::InstanceLock instanceLock;
};

}
