#pragma once

#include "settings/SettingsContext.h"

#include <functional>

namespace plintor {

class CPlintorApp;

// The settings context of the run: the application object's printer list, chosen printer,
// configured kinds, file mode, variant, interface language, configuration and its file.
// Pages and start-up hooks make one each time they run a job, so that it always reflects
// the current state.
SettingsContext MakeSettingsContext(CPlintorApp& app);

// Tests: a change made to every context MakeSettingsContext gives from now on (shorter
// channel waits, another place for the file-mode job, a fixed nation). Empty: none.
using SettingsContextAdjuster = std::function<void(SettingsContext&)>;
void SetSettingsContextAdjuster(SettingsContextAdjuster adjuster);

}
