// plintor-printer: a stand-in multifunction printer for tests, the network lab and the demo.
// See StandInPrinter.h for its parts and where new services plug in.

#include "PrinterOptions.h"
#include "PrinterSettings.h"
#include "StandInPrinter.h"

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace plintor::printer;
    std::string error;
    auto options = ParseOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "plintor-printer: %s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    if (options->help) {
        std::printf("%s", UsageText().c_str());
        return 0;
    }
    CStandInPrinter printer(std::move(*options));
    if (!printer.Start(error)) {
        std::fprintf(stderr, "plintor-printer: %s\n", error.c_str());
        return 1;
    }
    // Further services (SNMP agent, printer state) register with the printer here.
    CPrinterSettings settings(printer.Options().settings, printer.Options().variables);
    settings.Attach(printer);
    printer.ReportReady();
    return printer.Run();
}
