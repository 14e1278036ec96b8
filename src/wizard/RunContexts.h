#pragma once

#include "core/LangId.h"
#include "discovery/DiscoveryContext.h"
#include "settings/SettingsContext.h"

#include <functional>
#include <string>

namespace plintor {

struct RunState;

// The settings context of the run: its printer list, chosen printer, configured kinds,
// file mode, variant, configuration and its file, with the file-mode question and notice
// in the interface language, then the run's `operations.adjustContext`. Made afresh each
// time a job runs, so that it always reflects the current state.
SettingsContext SettingsContextOf(RunState& run);

// What discovery needs of the run: its configuration, printer list, spooler queues, run
// options, and the run's spooler upkeep and link-local route.
DiscoveryContext DiscoveryContextOf(RunState& run);

// File mode: shows the job in a "PJL" box (Yes, No; No by default) in `language` and
// answers whether the user chose Yes.
std::function<bool(const std::string& job)> FileJobQuestion(LangId language);

}
