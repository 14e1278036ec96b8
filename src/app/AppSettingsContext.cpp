#include "app/AppSettingsContext.h"

#include "app/CPlintorApp.h"

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
