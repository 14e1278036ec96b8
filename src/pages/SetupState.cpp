#include "pages/SetupState.h"

#include "channel/CNetConnect.h"
#include "channel/CUSBConnect.h"
#include "config/GeneralSettings.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/PrinterList.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"

namespace plintor {

namespace {

constexpr const char* kSetupQuestion = "@PJL INFO IWASETUP\r\n";

// Reads the answer lines of the last question; true when one carried a setup state.
template <class Channel>
bool ReadSetupState(Channel& channel, int& code)
{
    switch (SetupStateOfAnswer(channel.exchange)) {
    case kSetupEnabled:
        code = SetupAnswer::kReady;
        return true;
    case kSetupDisabled:
        code = SetupAnswer::kRefused;
        return true;
    default:
        return false;
    }
}

}

bool AskSetupState(const SettingsContext& context, int& code)
{
    if (!context.printers) {
        code = SetupAnswer::kNoAnswer;
        return false;
    }
    bool asked = false;
    for (const PrinterEntry& entry : context.printers->Entries()) {
        if (entry.chosen == 0)
            continue;
        if (!asked && !IsPjlVerificationOn(context.configFilePath)) {
            code = SetupAnswer::kReady;
            return true;
        }
        asked = true;
        bool answered = false;
        bool decided = false;
        if (entry.connection == kConnectionUsb) {
            CUSBConnect usb;
            ConfigureChannel(usb, context);
            answered = usb.Query(kSetupQuestion, entry.usbDevicePath);
            decided = answered && ReadSetupState(usb, code);
        } else if (entry.connection == kConnectionNetwork) {
            CNetConnect net;
            ConfigureChannel(net, context);
            answered = net.Query(entry.NetworkAddress(), kSetupQuestion);
            decided = answered && ReadSetupState(net, code);
        } else {
            continue;
        }
        if (!answered) {
            code = SetupAnswer::kNotAsked;
            return false;
        }
        if (decided)
            return code == SetupAnswer::kReady;
    }
    code = SetupAnswer::kNoAnswer;
    return false;
}

}
