#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace plintor {

class CPlintorApp;

// The printer operations that the opening pages, the cable pages' watcher and the
// selection page call. They are the program's own (ProgramWizardServices) unless a test
// installs others; an operation left empty finds nothing and answers "no".
//
// The searches run on worker threads; they may read the services while the main thread
// does not change them (install them before the wizard runs).
struct WizardServices {
    // Empties app.printers and adds every supported USB printer; returns their number and
    // counts in `noAdapterCount` the supported ones left out for lacking a wireless
    // adapter (wireless configuration with the adapter check on).
    std::function<int(CPlintorApp& app, int& noAdapterCount)> discoverUsb;
    // Adds the supported network printers to the (emptied) app.printers; returns their number.
    std::function<int(CPlintorApp& app)> discoverNetwork;
    // Typed address: 1 when it is usable (not empty, not 0.0.0.0 or 255.255.255.255, and
    // resolves), else 0.
    std::function<int(const std::string& address)> validateTypedAddress;
    // Typed address: 0 supported, 1 not a supported model, 2 without a wireless adapter
    // in a wireless configuration with the check on, 3 no answer.
    std::function<int(CPlintorApp& app, const std::string& address)> checkTypedAddress;
    // Typed address: 1 and the 12-digit MAC address, or 0.
    std::function<int(const std::string& address, std::string& mac)> getTypedAddressMac;
    // Sets aside the local printer queues that print to a typed network address.
    std::function<void(CPlintorApp& app, const std::string& address)> disableBidi;
    // The capability query at a network address: 1 and `options`, or 0 when it failed.
    std::function<int(CPlintorApp& app, const std::string& address, std::int32_t& options)> queryOptions;
    // Reads the FAX settings of the chosen printer into app.currentPrinter; returns the
    // read status (1 answered, 0 not).
    std::function<int(CPlintorApp& app)> readFaxSettings;
};

// The program's operations.
WizardServices ProgramWizardServices();

// The services the pages use now.
const WizardServices& CurrentWizardServices();

// Installs `services` for the lifetime of this object (tests), then puts back the ones
// before.
class ScopedWizardServices {
public:
    explicit ScopedWizardServices(WizardServices services);
    ~ScopedWizardServices();
    ScopedWizardServices(const ScopedWizardServices&) = delete;
    ScopedWizardServices& operator=(const ScopedWizardServices&) = delete;

private:
    WizardServices previous;
};

}
