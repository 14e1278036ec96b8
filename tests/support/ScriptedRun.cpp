#include "ScriptedRun.h"

#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "core/PrinterEntry.h"
#include "ui/headless/CScriptRunner.h"

#include <sstream>

namespace plintor::test {

int RunProgramUnderScript(const ScriptedRun& run, const std::string& commandLine, const std::string& script,
                          std::string& transcript)
{
    std::ostringstream out;
    int status = RunScriptText(script, [&] {
        StartUpServices services = DefaultStartUpServices();
        services.configFilePath = [config = run.configPath] { return config; };
        services.osVersionCode = [] { return 20; };
        services.isAdministrator = [] { return true; };
        services.defaultLanguage = [] { return LANG_ENGLISH_US; };
        services.uiLanguage = [language = run.uiLanguage](const CPlintorApp&) { return language; };
        CPlintorApp app(services, run.operations);
        app.hooks = ProgramStartUpHooks();
        app.operations.discoverUsb = [&run](RunState& wizard, int&) {
            wizard.printers.Clear();
            PrinterEntry entry;
            entry.connection = kConnectionUsb;
            entry.usbDevicePath = run.usbDevice;
            entry.usbPortNumber = 1;
            entry.options = run.usbOptions;
            wizard.printers.Add(entry);
            return wizard.printers.Count();
        };
        app.commandLine = commandLine;
        app.InitInstance();
        return app.ExitInstance();
    }, out);
    transcript = out.str();
    return status;
}

}
