#pragma once

#include <chrono>

namespace plintor {

// Every wait of the wizard's worker threads, in one place.

// After a wait dialog has closed, its starter waits this long for the worker thread to
// end (the worker closes the dialog only after its work, so it ends at once in practice);
// a thread still running then is let go and ends by itself.
inline constexpr std::chrono::milliseconds kWaitThreadEndLimit{21000};

// The cable pages repeat the USB search this often while they wait for a printer.
inline constexpr std::chrono::milliseconds kUsbWatchInterval{1000};

// Stopping a cable page's watcher waits this long for the thread to end (one USB search
// may be under way); a watcher still running then is let go.
inline constexpr std::chrono::milliseconds kWatcherStopLimit{20000};

}
