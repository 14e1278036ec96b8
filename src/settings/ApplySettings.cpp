#include "settings/ApplySettings.h"

#include "channel/PjlFraming.h"
#include "config/ConfigReader.h"
#include "core/PrinterList.h"
#include "platform/PathNames.h"
#include "platform/ProgramPath.h"
#include "settings/SettingsChannels.h"
#include "settings/SettingsContext.h"
#include "settings/SettingsJob.h"
#include "settings/Utf8Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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
    platform::CAnsiCodePage wire = WireCodePage(context);
    std::string job;
    std::string wireBytes;
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
            done.sent.push_back(index);
            if (!context.confirmFileJob || !context.confirmFileJob(job))
                return done.unbuilt.empty();
            std::string path = JobFilePath(context);
            if (!WriteFramedJob(job, path, &done.saveFailure))
                return false;
            if (context.jobSaved)
                context.jobSaved(path);
            return done.unbuilt.empty();
        }
        // The channel would mark a character that the wire cannot carry with "?"; such a
        // job is not sent at all.
        if (!wire.ToAnsiExactly(job, wireBytes)) {
            done.unbuilt.push_back(index);
            continue;
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
    std::size_t slash = platform::LastPathSeparator(programPath);
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = programPath.rfind('.');
    // Only a "." inside the program's own name starts an extension; a dotted folder does not.
    if (dot == std::string_view::npos || dot < nameStart || dot == nameStart)
        return std::string(programPath) + ".prn";
    return std::string(programPath.substr(0, dot + 1)) + "prn";
}

std::string JobFilePath(const SettingsContext& context)
{
    std::string besideProgram = JobFilePathFor(context.programPath.empty() ? platform::ProgramPath()
                                                                           : context.programPath);
    if (besideProgram.empty())
        return {};
    std::size_t slash = platform::LastPathSeparator(besideProgram);
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? besideProgram.substr(0, 1)
                                                    : besideProgram.substr(0, slash);
    if (context.configFilePath != SystemConfigFile() && platform::FolderWritable(folder))
        return besideProgram;
    std::string current = context.currentFolder.empty() ? platform::CurrentFolder() : context.currentFolder;
    if (current.empty())
        return {};
    if (!platform::IsPathSeparator(current.back()))
        current += platform::kPathSeparator;
    return current + besideProgram.substr(slash == std::string::npos ? 0 : slash + 1);
}

bool WriteFramedJob(const std::string& job, const std::string& path, JobFileFailure* failure)
{
    JobFileFailure local;
    JobFileFailure& why = failure != nullptr ? *failure : local;
    why = JobFileFailure{};
    why.path = path;
    if (why.path.empty()) {
        why.reason = "neither the program's own path nor the current folder is known";
        return false;
    }
    // The file holds text, so bytes that only the wire could carry show as U+FFFD.
    std::u16string units = Utf16Of(BuildJob(platform::CAnsiCodePage::Readable(job)));
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    // The standard streams leave the system's reason in errno.
    auto reason = [] { return std::string(errno != 0 ? std::strerror(errno) : "the file cannot be written"); };
    errno = 0;
    std::ofstream file(why.path, std::ios::binary | std::ios::trunc);
    if (!file) {
        why.reason = reason();
        return false;
    }
    errno = 0;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file.fail()) {
        why.reason = reason();
        std::remove(why.path.c_str());
        return false;
    }
    return true;
}

bool SaveJobToFile(const std::string& job, const std::string& programPath, JobFileFailure* failure)
{
    return WriteFramedJob(job, JobFilePathFor(programPath.empty() ? platform::ProgramPath() : programPath),
                          failure);
}

}
