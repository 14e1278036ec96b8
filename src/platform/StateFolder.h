#pragma once

#include <string>

namespace plintor::platform {

// The machine-wide folder where the program keeps what must outlive a run (the list of
// the spooler queues it holds, so that a run that crashed is mended by the next):
// Linux "/var/lib/plintor"; Windows "<ProgramData>\Plintor" (CSIDL_COMMON_APPDATA, as a
// rule C:\ProgramData). Empty when the system does not tell.
std::string MachineStateFolder();

// Whether this process may keep its state there: on Linux with an effective user id of 0
// or write access to the folder; on Windows with write access to the folder or, while it
// does not exist yet, to the folder that would hold it.
bool MachineStateFolderWritable();

}
