#include "wizard/FirstSettingsPage.h"

#include "app/CPlintorApp.h"
#include "settings/ConfigureFlags.h"
#include "settings/SettingsStore.h"
#include "wizard/PageIndex.h"
#include "wizard/WizardServices.h"

namespace plintor {

int NextSettingsPage(CPlintorApp& app, ChosenOn chosenOn)
{
    if (app.configureFlags & kConfigureWireless) {
        if (chosenOn == ChosenOn::UsbPages && app.config.apUsbDiscovery)
            return kPageSelectAp;
        return kPageWirelessSetting;
    }
    if (app.configureFlags & kConfigureIp)
        return kPageIpSetting;
    if (app.configureFlags & kConfigureFax) {
        if (const auto& read = CurrentWizardServices().readFaxSettings)
            app.currentPrinter.faxReadStatus = read(app);
        if (app.faxPageVariant == 1)
            return kPageCheckFaxSetting;
        if (app.faxPageVariant == 0 || app.faxPageVariant == -1)
            return kPageFaxSetting;
        return kPageNone;
    }
    return kPageNone;
}

int FirstSettingsPage(CPlintorApp& app)
{
    app.selectedPrinter = 0;
    SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
    return NextSettingsPage(app, ChosenOn::UsbPages);
}

}
