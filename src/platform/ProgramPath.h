#pragma once

#include <string>

namespace plintor::platform {

// The full path of the running program, or an empty text when it cannot be read.
std::string ProgramPath();

// The folder that holds the running program, without a trailing separator.
std::string ProgramFolder();

}
