#pragma once

#include "core/PrinterEntry.h"

namespace plintor {

// The working copy that the pages edit: a printer entry together with the status of the
// last FAX settings read (1 when the printer answered; 1 before any read). It binds
// wherever a PrinterEntry is expected.
struct WorkingPrinter : PrinterEntry {
    int faxReadStatus = 1;

    WorkingPrinter() = default;
    WorkingPrinter& operator=(const PrinterEntry& entry)
    {
        PrinterEntry::operator=(entry);
        return *this;
    }
};

}
