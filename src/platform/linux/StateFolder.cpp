#include "platform/StateFolder.h"

#include <unistd.h>

namespace plintor::platform {

namespace {

constexpr const char* kMachineStateFolder = "/var/lib/plintor";

}

std::string MachineStateFolder()
{
    return kMachineStateFolder;
}

bool MachineStateFolderWritable()
{
    return geteuid() == 0 || access(kMachineStateFolder, W_OK) == 0;
}

}
