#pragma once

#include "channel/ChannelBounds.h"
#include "core/ConfigureFlags.h"

#include <cstdint>
#include <functional>
#include <string>

namespace plintor {

class PrinterList;
struct UtilityConfig;

// The run-wide state that the settings jobs, the FAX read and the survey work with. The
// application object fills one from its members; tests fill one by hand. Pointers that
// are null count as "nothing there" (an empty list, an empty configuration).
struct SettingsContext {
    PrinterList* printers = nullptr;
    std::int32_t* selectedPrinter = nullptr;  // the FAX read stores into this entry
    std::uint32_t configureFlags = 0;         // ConfigureFlag bits
    std::int32_t fileMode = 0;                // 1: jobs are shown and saved, not sent
    std::int32_t faxPageVariant = kFaxPageNotGiven;  // FaxPageVariant
    const UtilityConfig* config = nullptr;
    // The configuration file; its switch NECCESITY_OF_ENTRY_COMMAND is read again each
    // time a settings job is built.
    std::string configFilePath;
    // Where the file-mode job is written beside; empty: the running program.
    std::string programPath;
    // Where the file-mode job goes when it cannot go beside the program (JobFilePath);
    // empty: the process's current folder.
    std::string currentFolder;
    // File mode: shown the job and asked whether to save it; true saves it. Empty: the
    // job is not saved. The caller asks the user; the settings code never does.
    std::function<bool(const std::string& job)> confirmFileJob;
    // Told which file the file-mode job was written to, once it is written; empty: nobody.
    std::function<void(const std::string& path)> jobSaved;
    // The character set of the wire; empty: the workstation's (the locale's).
    std::string wireCharset;
    // The workstation's nation as a geographic id, -1 when unknown; empty: from the
    // locale (settings/UserNation.h).
    std::function<std::int64_t()> userNation;
    // The waits of every channel the operations make.
    ChannelBounds bounds;
};

}
