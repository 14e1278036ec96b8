#pragma once

// The steps that CNetConnect and CUSBConnect take alike around their own Open, Write,
// ReadUntilComplete and Close (channel/DeviceChannel.h says what each operation means).
// `target` is what the channel's Open takes: an address, or a device path.

#include "channel/ChannelBounds.h"
#include "channel/DeviceChannel.h"
#include "channel/PjlFraming.h"

#include <string>
#include <thread>
#include <vector>

namespace plintor {

// How many tries Query makes, and how many read cycles QueryBatch makes.
inline constexpr int ChannelReadTries = 3;

// Puts the caller's command and the job built from it into the exchange.
template <class Channel>
void StartJob(Channel& channel, const std::string& command)
{
    channel.exchange.command = command;
    channel.exchange.job = BuildJob(command);
}

// Send: open, write the job, close.
template <class Channel>
bool SendJob(Channel& channel, const std::string& target, const std::string& command)
{
    channel.exchange.failure = ChannelFailure::Ok;
    bool written = false;
    if (channel.Open(target)) {
        StartJob(channel, command);
        written = channel.Write();
    }
    channel.Close();
    return written;
}

// QueryBatch: open, write the job, then read cycles after the pause until every request is
// answered. `stopOnReadFailure`: a failed read ends the cycles (a device that went away).
template <class Channel>
bool QueryBatchJob(Channel& channel, const std::string& target, const std::string& command,
                   std::vector<PjlRequest>& requests, bool stopOnReadFailure)
{
    channel.exchange.failure = ChannelFailure::Ok;
    bool answered = false;
    if (channel.Open(target)) {
        StartJob(channel, command);
        if (channel.Write()) {
            for (int cycle = 0; cycle < ChannelReadTries && !answered; ++cycle) {
                std::this_thread::sleep_for(channel.bounds.pause);
                answered = channel.ReadUntilComplete(requests);
                if (!answered && stopOnReadFailure && channel.exchange.failure == ChannelFailure::ReadFailed)
                    break;
            }
        }
    }
    channel.Close();
    return answered;
}

// The end of a Query: the bounds back to the whole, the connection closed, and a success
// clears what a refused try left in the failure.
template <class Channel>
bool EndQuery(Channel& channel, const ChannelBounds& whole, bool accepted)
{
    channel.bounds = whole;
    channel.Close();
    if (accepted)
        channel.exchange.failure = ChannelFailure::Ok;
    return accepted;
}

}
