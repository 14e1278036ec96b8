#include "TestOperations.h"

namespace plintor::test {

PrinterOperations OperationsWithoutSearches()
{
    PrinterOperations operations = ProgramPrinterOperations();
    operations.discoverUsb = {};
    operations.discoverNetwork = {};
    operations.validateTypedAddress = {};
    operations.checkTypedAddress = {};
    operations.getTypedAddressMac = {};
    operations.disableBidi = {};
    operations.queryOptions = {};
    operations.readFaxSettings = {};
    return operations;
}

}
