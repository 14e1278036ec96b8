#pragma once

namespace plintor {

struct SettingsContext;

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
