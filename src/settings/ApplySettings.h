#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plintor {

struct SettingsContext;

// Why a file-mode job was not saved.
struct JobFileFailure {
    std::string path;    // the file it was to go to (empty when even that is unknown)
    std::string reason;  // as the system tells it; empty while nothing failed
};

// What one walk over the chosen printers did, by list index, for callers and logs that
// need more than the overall result.
struct ApplyReport {
    std::vector<int> sent;     // the job went out (or, in file mode, was shown)
    // No job could be built for the entry (a value outside its table, or a text that the
    // wire's character set cannot carry exactly); nothing was sent to it.
    std::vector<int> unbuilt;
    int failed = -1;           // the entry whose send failed and stopped the walk, or -1
    JobFileFailure saveFailure;  // file mode: the save that failed, if one did
};

// Sends the settings job to every chosen printer, in list order. A failed send stops the
// walk at once (later printers are not contacted). In file mode the first job is handed to
// the context's `confirmFileJob` and, when it says so, saved to JobFilePath and the context's `jobSaved` is told
// where; no printer is contacted. True only
// when every chosen printer was sent its job: an entry whose job cannot be built is
// passed over, but the walk then ends with false, so that nothing unsent counts as done.
// A job goes out only when the wire's character set carries it exactly: nothing the user
// typed reaches a printer altered.
bool ApplySettings(const SettingsContext& context, ApplyReport* report = nullptr);

// The same walk with a job of only the panel language line (no bracket, no restart);
// the job grows from entry to entry.
bool ApplyPanelLanguage(const SettingsContext& context, ApplyReport* report = nullptr);

// The same walk with the report job; never in file mode.
bool PrintSettingsReport(const SettingsContext& context, ApplyReport* report = nullptr);

// The file the file-mode job goes to: the program's path with its extension replaced by
// "prn" ("prn" appended after a "." when the program's name has no extension).
std::string JobFilePathFor(std::string_view programPath);

// The file the file-mode job is saved to. A copy of the program run from a folder writes
// beside itself (JobFilePathFor). An installed program, whose configuration is the
// system's (SystemConfigFile), or one whose folder cannot be written, writes the same
// file name into the context's current folder instead: where the user who asked for the
// file can find it, and never into the system's folder of programs. Empty when neither
// the program path nor the current folder can be read.
std::string JobFilePath(const SettingsContext& context);

// Writes the framed job (as the network channel frames it) as UTF-16 little-endian code
// units without a byte order mark to `path`. False when the path is empty or the file
// cannot be written; then `failure` (when given) says which file and why, and no partly
// written file is left.
bool WriteFramedJob(const std::string& job, const std::string& path, JobFileFailure* failure = nullptr);

// WriteFramedJob to JobFilePathFor(programPath) (empty: the running program).
bool SaveJobToFile(const std::string& job, const std::string& programPath = {}, JobFileFailure* failure = nullptr);

}
