#pragma once

#include "core/PrinterEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plintor {

// The printers found in this run, in order, indexed from 0. Positions are what the pages
// and the settings store refer to. Every read hands out a copy; the list has no lock
// (discovery writes it only while the pages wait for it).
class PrinterList {
public:
    void Clear();
    void Add(const PrinterEntry& entry);
    int Count() const;

    // Stable re-order by macAddress, compared without regard to case.
    void SortByMac();

    // Appends a network entry for an address the user typed (an address with ":" is kept
    // as the IPv6 address of an IPv6-only printer) and returns its index.
    int AddTypedPrinter(const std::string& address, const std::string& mac, std::int32_t options);

    // Copies entry `index` out; false (out untouched) when there is no such entry.
    bool GetPrinter(int index, PrinterEntry& out) const;
    // Replaces entry `index` by a copy of `entry`; false when there is no such entry.
    bool ReplacePrinter(int index, const PrinterEntry& entry);
    // Removes entry `index`; an index out of range does nothing.
    void RemovePrinter(int index);
    // Removes every entry whose macAddress equals `mac` without regard to case.
    void RemovePrintersByMac(std::string_view mac);

    // Read-only view for walks over the list (apply jobs, the selection page).
    const std::vector<PrinterEntry>& Entries() const { return entries; }

private:
    std::vector<PrinterEntry> entries;
};

}
