#pragma once

namespace plintor {

struct PjlExchange;
struct SettingsContext;

inline constexpr const char* kPjlInfoSetup = "@PJL INFO IWASETUP\r\n";

// What an INFO IWASETUP answer says.
enum SetupStateCode { kSetupEnabled = 0, kSetupNoAnswer = 3, kSetupDisabled = 5 };

// INFO IWASETUP, read from an accepted answer (its complete lines, as the channels'
// NextLine gives them from the start): kSetupEnabled or kSetupDisabled for the first line
// that begins with "SETUP=ENABLE" or "SETUP=DISABLE", kSetupNoAnswer when none does.
int SetupStateOfAnswer(PjlExchange& exchange);

// Results of asking the chosen printers whether they accept new settings.
struct SetupAnswer {
    enum Code : int {
        kReady = 0,        // SETUP=ENABLE, or the question is switched off
        kNoAnswer = 3,     // no chosen printer answered with a setup state
        kNotAsked = 4,     // the question could not be sent or answered
        kRefused = 5,      // SETUP=DISABLE: the printer is busy or has an error
    };
};

// Asks the chosen printers, in list order, "@PJL INFO IWASETUP" (unless the
// configuration's SEND_PJL_VERIFICATION switches the question off) and stops at the
// first that answers with a setup state. True only for SetupAnswer::kReady.
bool AskSetupState(const SettingsContext& context, int& code);

}
