#include "wizard/PrinterOperations.h"

#include "core/PrinterEntry.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/SpoolerUpkeep.h"
#include "discovery/TypedAddress.h"
#include "discovery/UsbDiscovery.h"
#include "settings/ApSurvey.h"
#include "settings/ApplySettings.h"
#include "settings/FaxRead.h"
#include "settings/SetupState.h"
#include "wizard/RunContexts.h"
#include "wizard/RunState.h"

#include <thread>

namespace plintor {

PrinterOperations ProgramPrinterOperations()
{
    PrinterOperations operations;
    operations.discoverUsb = [](RunState& run, int& noAdapterCount) {
        noAdapterCount = 0;
        return DiscoverUsb(DiscoveryContextOf(run), noAdapterCount);
    };
    operations.discoverNetwork = [](RunState& run) { return DiscoverNetwork(DiscoveryContextOf(run)); };
    operations.validateTypedAddress = [](const std::string& address) { return ValidateTypedAddress(address); };
    operations.checkTypedAddress = [](RunState& run, const std::string& address) {
        return CheckTypedAddress(address, DiscoveryContextOf(run));
    };
    operations.getTypedAddressMac = [](const std::string& address, std::string& mac) {
        return GetTypedAddressMac(address, mac);
    };
    operations.disableBidi = [](RunState& run, const std::string& address) {
        CSpoolerUpkeep::ForThisRun().DisableBidi(address, CSpoolerUpkeep::kNetworkForm, run.printersToRestore);
    };
    operations.queryOptions = [](RunState& run, const std::string& address, std::int32_t& options) {
        return QueryOptions(NetworkPrinterAt(address), options, run.configFilePath);
    };
    operations.readFaxSettings = [](RunState& run) {
        int status = 0;
        ReadFaxSettings(SettingsContextOf(run), status);
        return status;
    };
    operations.querySetupState = [](RunState& run, int& code) { return AskSetupState(SettingsContextOf(run), code); };
    operations.applySettings = [](RunState& run, ApplyReport& report) {
        return ApplySettings(SettingsContextOf(run), &report);
    };
    operations.applyPanelLanguage = [](RunState& run) { return ApplyPanelLanguage(SettingsContextOf(run)); };
    operations.printSettingsReport = [](RunState& run) { return PrintSettingsReport(SettingsContextOf(run)); };
    operations.surveyAccessPoints = [](ApSurveyResult& result, const std::string& devicePath,
                                       const SettingsContext& context) {
        SurveyAccessPoints(result, devicePath, context);
    };
    operations.pause = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
    return operations;
}

}
