// The wall time of one full network discovery (IPv4 broadcast pass, IPv6 multicast pass,
// a MAC request per answer, no capability query), and its ratio to the protocol's own
// floor: each pass ends only after two quiet one-second periods, so two passes cannot take
// less than 4 seconds. It broadcasts, so it runs only inside the network lab:
//
//   unshare --net -- sh -c 'ip link set lo up; scripts/lab run --printers 64 -- build/bin/discovery_bench'
#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/SnmpSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    using namespace plintor;
    if (!std::getenv("PLINTOR_LAB")) {
        std::fputs("discovery_bench: broadcasts; run it inside the network lab (scripts/lab run ... -- discovery_bench)\n",
                   stderr);
        return 2;
    }
    int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    UtilityConfig config;
    config.sysObjectIds = {"1.3.6.1.4.1.99999.1.1"};
    const double floor = 2.0 * SnmpLimits::kWaitPeriods * SnmpLimits::kWaitMilliseconds / 1000.0;
    for (int round = 1; round <= rounds; ++round) {
        PrinterList printers;
        DiscoveryContext context;
        context.config = &config;
        context.printers = &printers;
        auto start = std::chrono::steady_clock::now();
        int found = DiscoverNetwork(context);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("round %d: %d printers in %.3f s, %.3f x the floor of %.1f s (two passes of two quiet seconds)\n",
                    round, found, seconds, seconds / floor, floor);
    }
    return 0;
}
