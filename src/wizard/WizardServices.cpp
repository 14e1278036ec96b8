#include "wizard/WizardServices.h"

#include "app/CPlintorApp.h"

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
        return app.hooks.readFaxSettings ? app.hooks.readFaxSettings(app) : app.currentPrinter.faxReadStatus;
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
