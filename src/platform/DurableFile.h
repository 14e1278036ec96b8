#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plintor::platform {

// Replaces the file at `path` with `text` so that a crash or a power cut leaves either the
// whole old or the whole new contents: the text goes to a temporary file in the same
// folder, is flushed to the disk (fsync), renamed over the file, and the folder is
// flushed so that the rename itself lasts. Empty text removes the file instead (and
// flushes the folder). The folder is made (mode 0755) when it is missing; the file gets
// mode 0644. False when any step fails; the old file is then untouched.
bool ReplaceFileDurably(const std::string& path, std::string_view text);

// The whole file; false when it cannot be read (a missing file gives false and no text).
bool ReadWholeFile(const std::string& path, std::string& text);

// The first `maxBytes` of a regular file into `text` (replaced). False when the path names
// no regular file (a folder, a FIFO or a device in the file's place is not read) or a read
// fails. Opening does not block, so that a FIFO cannot stall the caller.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text);

}
