#include "settings/SetupState.h"

#include "channel/PjlFraming.h"
#include "config/GeneralSettings.h"
#include "core/PrinterList.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"

namespace plintor {

namespace {

// Reads the answer lines of the last question; true when one carried a setup state.
bool ReadSetupState(CPrinterChannel& channel, int& code)
{
    switch (SetupStateOfAnswer(channel.Exchange())) {
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

int SetupStateOfAnswer(PjlExchange& exchange)
{
    std::string line;
    exchange.lineCursor = 0;
    while (NextLine(exchange, line)) {
        if (line.rfind("SETUP=ENABLE", 0) == 0)
            return kSetupEnabled;
        if (line.rfind("SETUP=DISABLE", 0) == 0)
            return kSetupDisabled;
    }
    return kSetupNoAnswer;
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
        if (!CPrinterChannel::Reaches(entry))
            continue;
        CPrinterChannel channel;
        ConfigureChannel(channel, context);
        bool answered = channel.Query(entry, kPjlInfoSetup);
        bool decided = answered && ReadSetupState(channel, code);
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
