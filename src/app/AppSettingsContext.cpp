#include "app/AppSettingsContext.h"

#include "app/CPlintorApp.h"
#include "app/Messages.h"
#include "app/StringTable.h"
#include "ui/MessageBox.h"

#include <mutex>
#include <utility>

namespace plintor {

namespace {

std::mutex adjusterMutex;
SettingsContextAdjuster& Adjuster()
{
    static SettingsContextAdjuster adjuster;
    return adjuster;
}

}

SettingsContext MakeSettingsContext(CPlintorApp& app)
{
    SettingsContext context;
    context.printers = &app.printers;
    context.selectedPrinter = &app.selectedPrinter;
    context.configureFlags = app.configureFlags;
    context.fileMode = app.fileMode;
    context.faxPageVariant = app.faxPageVariant;
    context.uiLanguage = app.uiLanguage;
    context.config = &app.config;
    context.configFilePath = app.configFilePath;
    // File mode says where the job went: the folder depends on how the program was
    // installed (JobFilePath).
    context.jobSaved = [language = app.uiLanguage](const std::string& path) {
        ShowMessageText(language, nullptr, LoadText(language, MSG_FILEMODE_SAVED) + "\n" + path, IDS_WND_TITLE,
                        MB_OK | MB_ICONINFORMATION);
    };
    std::lock_guard lock(adjusterMutex);
    if (Adjuster())
        Adjuster()(context);
    return context;
}

void SetSettingsContextAdjuster(SettingsContextAdjuster adjuster)
{
    std::lock_guard lock(adjusterMutex);
    Adjuster() = std::move(adjuster);
}

}
