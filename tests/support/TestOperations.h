#pragma once

// The one way tests substitute the printer operations: a set (wizard/PrinterOperations.h)
// handed to the run state, whose entries a test replaces.

#include "wizard/PrinterOperations.h"

namespace plintor::test {

// The program's printer operations with the searches, the typed-address checks and the
// FAX read left empty (they find nothing and answer "no"), so that no test reaches for a
// network or a USB device it did not set up; the settings jobs stay the program's.
PrinterOperations OperationsWithoutSearches();

}
