#pragma once

#include "app/CPlintorApp.h"

namespace plintor {

// The hooks the program runs with: the wizard frame, the queue restoration at exit and
// the release of what earlier runs left held. Tests build their own hooks instead.
StartUpHooks ProgramStartUpHooks();

// What a stop signal undoes before the program ends (platform/StopSignals.h): it releases
// the spooler queues this run held and removes the link-local route this run added, as
// the exit hook does. It reads nothing of the application object, so the signal watcher
// may run it while a discovery worker holds queues.
void ReleaseThisRunOnStop();

// Releases the spooler queues that earlier runs left held (the start-up hook
// releaseLeftovers) and says on stderr, in one line, which were released and which could
// not be. True when none failed.
bool ReleaseLeftoverQueues();

// `plintor --release-queues`: start-up's checks, then the release of what earlier runs
// left held, without the wizard. 0 when every queue was released (or none was left), 1
// when one could not be or start-up failed.
int RunReleaseQueuesAfterStartUp(CPlintorApp& app);

// `plintor --discover`: start-up's checks and configuration, then one network discovery and
// one USB search printed one line per printer (discovery/DiscoverCommand.h). 0, or 1 after a
// start-up failure.
int RunDiscoverAfterStartUp(CPlintorApp& app);

}
