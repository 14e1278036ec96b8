#include "core/PrinterList.h"

#include <strings.h>

#include <utility>

namespace plintor {

namespace {

bool ValidIndex(int index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

int CompareNoCase(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str());
}

}

void PrinterList::Clear()
{
    entries.clear();
}

void PrinterList::Add(const PrinterEntry& entry)
{
    entries.push_back(entry);
}

int PrinterList::Count() const
{
    return static_cast<int>(entries.size());
}

void PrinterList::SortByMac()
{
    // Each entry goes before the first one already placed whose address is greater, so
    // entries with equal addresses keep their old order.
    std::vector<PrinterEntry> old = std::move(entries);
    entries.clear();
    entries.reserve(old.size());
    for (PrinterEntry& entry : old) {
        auto place = entries.begin();
        while (place != entries.end() && CompareNoCase(place->macAddress, entry.macAddress) <= 0)
            ++place;
        entries.insert(place, std::move(entry));
    }
}

int PrinterList::AddTypedPrinter(const std::string& address, const std::string& mac, std::int32_t options)
{
    PrinterEntry entry = NetworkPrinterAt(address);
    entry.macAddress = mac;
    entry.options = options;
    entries.push_back(std::move(entry));
    return Count() - 1;
}

bool PrinterList::GetPrinter(int index, PrinterEntry& out) const
{
    if (!ValidIndex(index, entries.size()))
        return false;
    out = entries[static_cast<std::size_t>(index)];
    return true;
}

bool PrinterList::ReplacePrinter(int index, const PrinterEntry& entry)
{
    if (!ValidIndex(index, entries.size()))
        return false;
    entries[static_cast<std::size_t>(index)] = entry;
    return true;
}

void PrinterList::RemovePrinter(int index)
{
    if (ValidIndex(index, entries.size()))
        entries.erase(entries.begin() + index);
}

void PrinterList::RemovePrintersByMac(std::string_view mac)
{
    const std::string wanted(mac);
    for (std::size_t i = 0; i < entries.size();) {
        if (CompareNoCase(entries[i].macAddress, wanted) == 0)
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

}
