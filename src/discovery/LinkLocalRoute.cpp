#include "discovery/LinkLocalRoute.h"

#include "platform/Ipv4Address.h"
#include "platform/RouteCommand.h"
#include "platform/RunProcess.h"

#include <vector>

namespace plintor {

CLinkLocalRoute& CLinkLocalRoute::ForThisRun()
{
    static CLinkLocalRoute run;
    return run;
}

int CLinkLocalRoute::Add(const std::string& localAddress)
{
    auto fail = [this](std::string why) {
        std::lock_guard<std::mutex> guard(lock);
        problem = std::move(why);
        return 0;
    };
    std::uint32_t address = 0;
    if (localAddress.empty() || !platform::ParseIpv4(localAddress, address))
        return fail("the workstation has no IPv4 address of its own");
    // Never through loopback: that is not the workstation's own network.
    if (platform::IsLoopbackIpv4(address) || address == 0)
        return fail("the workstation's address " + localAddress + " is a loopback address");
    std::string name = platform::InterfaceHoldingIpv4(address);
    platform::RouteProgram program = platform::FindRouteProgram();
    if (name.empty())
        return fail("no network interface holds the address " + localAddress);
    if (program.path.empty())
        return fail("the " + program.name + " program was not found");
    std::lock_guard<std::mutex> guard(lock);
    if (closed)
        return 0;
    platform::ProcessResult run = platform::RunProcess(
        platform::LinkLocalRouteCommand(program, platform::RouteChange::Add, name, address), kCommandBound);
    if (!run.started) {
        problem = program.name + " could not be started";
        return 0;
    }
    problem.clear();
    // A route that was there before (the command then fails) is not ours to remove.
    if (run.exitCode == 0 && !added) {
        added = true;
        interfaceName = name;
        interfaceAddress = address;
    } else if (run.exitCode != 0 && !platform::LinkLocalRouteListed()) {
        problem = run.timedOut ? program.addCommand + " did not end within its bound"
                               : program.addCommand + " via " + name + " failed (exit status "
                                     + std::to_string(run.exitCode) + ")";
    }
    return 1;
}

std::string CLinkLocalRoute::Problem() const
{
    std::lock_guard<std::mutex> guard(lock);
    return problem;
}

bool CLinkLocalRoute::Added() const
{
    std::lock_guard<std::mutex> guard(lock);
    return added;
}

std::string CLinkLocalRoute::Interface() const
{
    std::lock_guard<std::mutex> guard(lock);
    return interfaceName;
}

void CLinkLocalRoute::Remove()
{
    std::lock_guard<std::mutex> guard(lock);
    closed = true;
    if (!added)
        return;
    added = false;
    platform::RouteProgram program = platform::FindRouteProgram();
    if (!program.path.empty())
        platform::RunProcess(platform::LinkLocalRouteCommand(program, platform::RouteChange::Remove,
                                                             interfaceName, interfaceAddress),
                             kCommandBound);
}

}
