#include "wizard/FirstSettingsPage.h"

#include "core/ConfigureFlags.h"
#include "settings/SettingsStore.h"
#include "wizard/PageIndex.h"
#include "wizard/RunState.h"

namespace plintor {

int FaxPageOf(std::int32_t faxPageVariant)
{
    switch (faxPageVariant) {
    case kFaxPageTop:
    case kFaxPageNotGiven:
        return kPageFaxSetting;
    case kFaxPageFlow:
        return kPageCheckFaxSetting;
    default:
        return kPageNone;
    }
}

int NextSettingsPage(RunState& run, ChosenOn chosenOn)
{
    if (run.configureFlags & kConfigureWireless) {
        if (chosenOn == ChosenOn::UsbPages && run.config.apUsbDiscovery)
            return kPageSelectAp;
        return kPageWirelessSetting;
    }
    if (run.configureFlags & kConfigureIp)
        return kPageIpSetting;
    if (run.configureFlags & kConfigureFax) {
        if (run.operations.readFaxSettings)
            run.currentPrinter.faxReadStatus = run.operations.readFaxSettings(run);
        return FaxPageOf(run.faxPageVariant);
    }
    return kPageNone;
}

int FirstSettingsPage(RunState& run)
{
    run.selectedPrinter = 0;
    SelectPrinter(run.printers, run.selectedPrinter, run.currentPrinter, 0);
    return NextSettingsPage(run, ChosenOn::UsbPages);
}

}
