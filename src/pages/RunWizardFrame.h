#pragma once

namespace plintor {

struct RunState;

// Runs the wizard frame modally for start-up: the frame takes `app.uiLanguage` when the
// program holds the frame's layout in it, opens on `startPage` and runs until it closes.
// False when the frame's layout is missing in that language or no front end is installed
// (nothing is shown then).
bool RunWizardFrame(RunState& app, int startPage);

}
