#include "settings/SettingsStore.h"

#include "core/PrinterList.h"

namespace plintor {

void SelectPrinter(PrinterList& printers, std::int32_t& selectedPrinter, const PrinterEntry& workingCopy,
                   int index)
{
    selectedPrinter = index;
    for (int i = 0; i < printers.Count(); ++i) {
        PrinterEntry entry;
        printers.GetPrinter(i, entry);
        entry.chosen = (i == index) ? 1 : 0;
        printers.ReplacePrinter(i, entry);
    }
    StoreSettings(printers, workingCopy, index);
}

void LoadSettings(const PrinterList& printers, int index, PrinterEntry& workingCopy)
{
    PrinterEntry source;  // defaults of a new record when there is no such entry
    printers.GetPrinter(index, source);
    workingCopy.wireless = source.wireless;
    workingCopy.ip = source.ip;
    workingCopy.panelLanguage = source.panelLanguage;
    workingCopy.ip.ipv4Address = 0;
    workingCopy.ip.ipv6Address.clear();
}

void StoreSettings(PrinterList& printers, const PrinterEntry& workingCopy, int index)
{
    PrinterEntry entry;
    if (!printers.GetPrinter(index, entry))
        return;
    entry.SetSettings(workingCopy.Settings());
    printers.ReplacePrinter(index, entry);
}

}
