#include "platform/NetInterfaces.h"

namespace plintor::platform {

std::vector<NetInterface> ListExternalInterfaces()
{
    std::vector<NetInterface> result;
    for (NetInterface& i : ListNetInterfaces())
        if (i.up && !i.loopback)
            result.push_back(i);
    return result;
}

}
