#pragma once

#include "core/PrinterEntry.h"

#include <cstdint>

namespace plintor {

class PrinterList;

// The store through which the pages and the jobs move settings between the working copy
// (the entry the settings pages edit) and the printer list. Records move by value only.

// Chooses printer `index`: selectedPrinter := index, exactly that entry gets chosen = 1
// (all others 0), then the working copy's settings are stored into it.
void SelectPrinter(PrinterList& printers, std::int32_t& selectedPrinter, const PrinterEntry& workingCopy,
                   int index);

// Copies wireless, IP and panel language settings of entry `index` into the working copy
// (its FAX settings stay), without the entry's own IPv4 and IPv6 addresses, so that the
// next printer gets the same settings. An index out of range copies the defaults.
void LoadSettings(const PrinterList& printers, int index, PrinterEntry& workingCopy);

// Copies all settings of the working copy into entry `index`; out of range does nothing.
void StoreSettings(PrinterList& printers, const PrinterEntry& workingCopy, int index);

}
