#include "wizard/RunContexts.h"

#include "core/StringTable.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/SpoolerUpkeep.h"
#include "platform/AnsiCodePage.h"
#include "ui/MessageBox.h"
#include "wizard/Messages.h"
#include "wizard/RunState.h"

namespace plintor {

SettingsContext SettingsContextOf(RunState& run)
{
    SettingsContext context;
    context.printers = &run.printers;
    context.selectedPrinter = &run.selectedPrinter;
    context.configureFlags = run.configureFlags;
    context.fileMode = run.fileMode;
    context.faxPageVariant = run.faxPageVariant;
    context.config = &run.config;
    context.configFilePath = run.configFilePath;
    context.confirmFileJob = FileJobQuestion(run.uiLanguage);
    // File mode says where the job went: the folder depends on how the program was
    // installed (JobFilePath).
    context.jobSaved = [language = run.uiLanguage](const std::string& path) {
        ShowMessageText(language, nullptr, LoadText(language, MSG_FILEMODE_SAVED) + "\n" + path, IDS_WND_TITLE,
                        MB_OK | MB_ICONINFORMATION);
    };
    if (run.operations.adjustContext)
        run.operations.adjustContext(context);
    return context;
}

DiscoveryContext DiscoveryContextOf(RunState& run)
{
    DiscoveryContext context;
    context.config = &run.config;
    context.printers = &run.printers;
    context.printersToRestore = &run.printersToRestore;
    context.spooler = &CSpoolerUpkeep::ForThisRun();
    context.configureFlags = run.configureFlags;
    context.checkWlan = run.checkWlan;
    context.configFilePath = run.configFilePath;
    context.route = &CLinkLocalRoute::ForThisRun();
    return context;
}

std::function<bool(const std::string& job)> FileJobQuestion(LangId language)
{
    return [language](const std::string& job) {
        MessageBoxRequest box;
        box.text = platform::CAnsiCodePage::Readable(job);
        box.caption = "PJL";
        box.style = MB_YESNO | MB_DEFBUTTON2;
        box.language = language;
        return ShowMessageBox(box) == IDYES;
    };
}

}
