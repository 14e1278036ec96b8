#pragma once

#include "discovery/PrinterChannel.h"
#include "platform/AnsiCodePage.h"
#include "settings/SettingsContext.h"

namespace plintor {

// Gives a channel the waits and the wire character set of the run.
template <class Channel>
void ConfigureChannel(Channel& channel, const SettingsContext& context)
{
    channel.bounds = context.bounds;
    if (!context.wireCharset.empty())
        channel.codePage = platform::CAnsiCodePage(context.wireCharset);
}

inline void ConfigureChannel(CPrinterChannel& channel, const SettingsContext& context)
{
    channel.Configure(context.bounds, context.wireCharset);
}

}
