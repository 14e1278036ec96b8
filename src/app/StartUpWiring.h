#pragma once

#include "app/CPlintorApp.h"

namespace plintor {

// The hooks the program runs with: the wizard frame, the USB search, the FAX read, the
// panel language job and the queue restoration, each from the module that builds it.
// A hook that no module provides yet stays empty (nothing found, no wizard). Tests build
// their own hooks instead.
StartUpHooks ProgramStartUpHooks();

}
