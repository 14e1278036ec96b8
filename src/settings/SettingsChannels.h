#pragma once

#include "channel/PrinterChannel.h"
#include "platform/AnsiCodePage.h"
#include "settings/SettingsContext.h"

namespace plintor {

// The character set of the wire for the run: the context's, else the workstation's.
inline platform::CAnsiCodePage WireCodePage(const SettingsContext& context,
                                            platform::UnreadableBytes unreadable = platform::UnreadableBytes::Replace)
{
    if (context.wireCharset.empty())
        return platform::CAnsiCodePage(platform::CAnsiCodePage::LocaleCharset(), unreadable);
    return platform::CAnsiCodePage(context.wireCharset, unreadable);
}

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
