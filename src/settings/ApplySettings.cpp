#include "settings/ApplySettings.h"

#include "channel/PjlFraming.h"
#include "discovery/PrinterList.h"
#include "platform/ProgramPath.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"
#include "settings/SettingsJob.h"
#include "settings/Utf8Text.h"
#include "ui/MessageBox.h"

#include <fstream>
#include <functional>

namespace plintor {

namespace {

enum class FileMode {
    Honoured,
    Ignored,
};

// Builds the job for one entry into `job`; false when it cannot be built. The settings
// and report builders start afresh; the panel language builder appends, so that job
// keeps the lines of the printers before.
using JobBuilder = std::function<bool(const PrinterEntry& entry, std::string& job)>;

bool WalkChosenPrinters(const SettingsContext& context, const JobBuilder& build, FileMode fileMode,
                        ApplyReport* report)
{
    ApplyReport local;
    ApplyReport& done = report != nullptr ? *report : local;
    done = ApplyReport{};
    if (context.printers == nullptr)
        return true;

    CPrinterChannel channel;
    ConfigureChannel(channel, context);
    std::string job;
    const std::vector<PrinterEntry>& entries = context.printers->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PrinterEntry& entry = entries[i];
        int index = static_cast<int>(i);
        if (entry.chosen == 0)
            continue;
        if (!build(entry, job)) {
            done.unbuilt.push_back(index);
            continue;
        }
        if (fileMode == FileMode::Honoured && context.fileMode == 1) {
            MessageBoxRequest box;
            box.text = job;
            box.caption = "PJL";
            box.style = MB_YESNO | MB_DEFBUTTON2;
            box.language = context.uiLanguage;
            done.sent.push_back(index);
            if (ShowMessageBox(box) == IDYES)
                return SaveJobToFile(job, context.programPath) && done.unbuilt.empty();
            return done.unbuilt.empty();
        }
        if (!channel.Send(entry, job)) {
            done.failed = index;
            return false;
        }
        done.sent.push_back(index);
    }
    return done.unbuilt.empty();
}

}

bool ApplySettings(const SettingsContext& context, ApplyReport* report)
{
    return WalkChosenPrinters(
        context, [&](const PrinterEntry& entry, std::string& job) { return BuildSettingsJob(&job, entry, context); },
        FileMode::Honoured, report);
}

bool ApplyPanelLanguage(const SettingsContext& context, ApplyReport* report)
{
    return WalkChosenPrinters(
        context,
        [](const PrinterEntry& entry, std::string& job) {
            return AppendPanelLanguageCommand(entry.panelLanguage, &job);
        },
        FileMode::Honoured, report);
}

bool PrintSettingsReport(const SettingsContext& context, ApplyReport* report)
{
    return WalkChosenPrinters(
        context, [&](const PrinterEntry& entry, std::string& job) { return BuildReportJob(entry, &job, context); },
        FileMode::Ignored, report);
}

std::string JobFilePathFor(std::string_view programPath)
{
    if (programPath.empty())
        return {};
    std::size_t slash = programPath.rfind('/');
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = programPath.rfind('.');
    // Only a "." inside the program's own name starts an extension; a dotted folder does not.
    if (dot == std::string_view::npos || dot < nameStart || dot == nameStart)
        return std::string(programPath) + ".prn";
    return std::string(programPath.substr(0, dot + 1)) + "prn";
}

bool SaveJobToFile(const std::string& job, const std::string& programPath)
{
    std::string path = JobFilePathFor(programPath.empty() ? platform::ProgramPath() : programPath);
    if (path.empty())
        return false;
    std::u16string units = Utf16Of(BuildJob(job));
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}
