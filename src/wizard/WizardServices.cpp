#include "wizard/WizardServices.h"

#include "app/AppSettingsContext.h"
#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterEntry.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/TypedAddress.h"
#include "discovery/UsbDiscovery.h"
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
        return DiscoverUsb(DiscoveryContextOf(app), noAdapterCount);
    };
    services.discoverNetwork = [](CPlintorApp& app) { return DiscoverNetwork(DiscoveryContextOf(app)); };
    services.validateTypedAddress = [](const std::string& address) { return ValidateTypedAddress(address); };
    services.checkTypedAddress = [](CPlintorApp& app, const std::string& address) {
        return CheckTypedAddress(address, DiscoveryContextOf(app));
    };
    services.getTypedAddressMac = [](const std::string& address, std::string& mac) {
        return GetTypedAddressMac(address, mac);
    };
    services.disableBidi = [](CPlintorApp& app, const std::string& address) {
        CSpoolerUpkeep::ForThisRun().DisableBidi(address, CSpoolerUpkeep::kNetworkForm, app.printersToRestore);
    };
    services.queryOptions = [](CPlintorApp& app, const std::string& address, std::int32_t& options) {
        return QueryOptions(NetworkPrinterAt(address), options, app.configFilePath);
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
