#pragma once

#include "core/ConfigureFlags.h"
#include "core/LangId.h"
#include "core/StringIds.h"

#include <cstdint>
#include <string>

namespace plintor {

// What the completion page shows after the settings went out: its two messages, which of
// its two buttons is offered (at most one), and the caption of its Next button.
struct CompletionView {
    std::string upper;
    std::string lower;
    bool printButton = false;      // "Print Printer Setting"
    bool anotherButton = false;    // "Set another printer"
    StringId nextCaption = IDS_FINISH_BUTTON;
};

struct CompletionInput {
    std::int32_t faxPageVariant = kFaxPageNotGiven;  // FaxPageVariant
    std::int32_t connectionMode = 2;     // 1 USB, 2 network
    std::uint32_t configureFlags = 0;    // ConfigureFlag bits
    std::uint32_t faxEnabled = 1;        // the chosen printer's fax.faxEnabled
    bool continueToInstall = true;       // CONTINUE_TO_INSTALL
};

// Composes the page from the run's variant, connection and configured kinds; texts are
// loaded in `language` and joined by an empty line ("\r\n\r\n").
CompletionView ComposeCompletion(const CompletionInput& input, LangId language);

}
