#pragma once

namespace plintor {

struct SettingsContext;

// Results of asking the chosen printers whether they accept new settings.
enum SetupStateCode : int {
    kSetupReady = 0,        // SETUP=ENABLE, or the question is switched off
    kSetupNoAnswer = 3,     // no chosen printer answered with a setup state
    kSetupNotAsked = 4,     // the question could not be sent or answered
    kSetupRefused = 5,      // SETUP=DISABLE: the printer is busy or has an error
};

// Asks the chosen printers, in list order, "@PJL INFO IWASETUP" (unless the
// configuration's SEND_PJL_VERIFICATION switches the question off) and stops at the
// first that answers with a setup state. True only for kSetupReady.
bool AskSetupState(const SettingsContext& context, int& code);

}
