#include "pages/SetupState.h"

#include "config/GeneralSettings.h"
#include "discovery/PrinterList.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"

#include <string_view>

namespace plintor {

namespace {

constexpr const char* kSetupQuestion = "@PJL INFO IWASETUP\r\n";
constexpr std::string_view kEnabled = "SETUP=ENABLE";
constexpr std::string_view kDisabled = "SETUP=DISABLE";

// Reads the answer lines of the last question; true when one carried a setup state.
bool ReadSetupState(CPrinterChannel& channel, int& code)
{
    channel.Exchange().lineCursor = 0;
    std::string line;
    while (channel.NextLine(line)) {
        if (line.starts_with(kEnabled)) {
            code = SetupAnswer::kReady;
            return true;
        }
        if (line.starts_with(kDisabled)) {
            code = SetupAnswer::kRefused;
            return true;
        }
    }
    return false;
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
        if (!CPrinterChannel::Reaches(entry))
            continue;
        CPrinterChannel channel;
        ConfigureChannel(channel, context);
        bool answered = channel.Query(entry, kSetupQuestion);
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
