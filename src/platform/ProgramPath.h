#pragma once

#include <string>

namespace plintor::platform {

// The full path of the running program, or an empty text when it cannot be read.
std::string ProgramPath();

// The folder that holds the running program, without a trailing separator.
std::string ProgramFolder();

// The process's current folder, or an empty text when it cannot be read.
std::string CurrentFolder();

// Whether the process may create files in `folder` (false when it does not exist).
bool FolderWritable(const std::string& folder);

}
