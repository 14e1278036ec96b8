#include "wizard/WizardServices.h"

#include "app/AppSettingsContext.h"
#include "app/CPlintorApp.h"
#include "settings/FaxRead.h"

namespace plintor {

namespace {

WizardServices& Installed()
{
    static WizardServices services = ProgramWizardServices();
    return services;
}

}

WizardServices ProgramWizardServices()
{
    WizardServices services;
    services.discoverUsb = [](CPlintorApp& app, int& noAdapterCount) {
        noAdapterCount = 0;
        if (!app.hooks.discoverUsb) {
            app.printers.Clear();
            return 0;
        }
        return app.hooks.discoverUsb(app);
    };
    services.readFaxSettings = [](CPlintorApp& app) {
        int status = 0;
        ReadFaxSettings(MakeSettingsContext(app), status);
        return status;
    };
    return services;
}

const WizardServices& CurrentWizardServices()
{
    return Installed();
}

ScopedWizardServices::ScopedWizardServices(WizardServices services)
    : previous(std::move(Installed()))
{
    Installed() = std::move(services);
}

ScopedWizardServices::~ScopedWizardServices()
{
    Installed() = std::move(previous);
}

}
