#pragma once

#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"
#include "core/LangId.h"
#include "core/PrinterList.h"
#include "core/WorkingPrinter.h"
#include "wizard/PrinterOperations.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace plintor {

// The state that start-up settles and every page shares for the whole run, and the
// printer operations the run reaches the printers with. The application object is one
// (app/RunState.h); pages and tests see it through this record.
struct RunState {
    // Bits of `optConfigure` (the same bits as configureFlags).
    enum OptConfigureBit : std::uint32_t {
        kOptSelect = 0x01,
        kOptIp = 0x02,
        kOptWireless = 0x04,
        kOptFax = 0x08,
        kOptPanel = 0x10,
    };

    RunState()
        : operations(ProgramPrinterOperations())
    {
    }
    explicit RunState(PrinterOperations printerOperations)
        : operations(std::move(printerOperations))
    {
    }

    // Members, in this order.
    UtilityConfig config;
    std::int32_t hasOptions = 0;
    std::uint16_t optLanguage = 0;
    std::int32_t optConnection = -1;          // 0 select, 1 USB, 2 network, -1 not given
    std::uint32_t optConfigure = 0;           // OptConfigureBit
    std::int32_t optBackButton = 1;
    std::int32_t faxPageVariant = kFaxPageNotGiven;  // FaxPageVariant (core/ConfigureFlags.h)
    std::int32_t optCheckWlan = 0;
    std::int32_t fileMode = 0;
    std::vector<std::string> printersToRestore;
    std::int32_t connectionMode = -1;         // 0 ask on the method page, 1 USB, 2 network
    std::uint32_t configureFlags = 0;         // ConfigureFlag bits (core/ConfigureFlags.h)
    std::int32_t backButtonFlag = 1;
    std::int32_t checkWlan = 0;
    PrinterList printers;
    std::int32_t selectedPrinter = -1;
    std::uint16_t uiLanguage = LANG_ENGLISH_US;
    std::vector<std::string> configuredMacs;
    WorkingPrinter currentPrinter;

    // The configuration file start-up read.
    std::string configFilePath;

    // How the run reaches its printers; the program's own unless a test hands others in.
    PrinterOperations operations;
};

}
