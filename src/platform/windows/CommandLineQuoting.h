#pragma once

#include <string>
#include <vector>

namespace plintor::platform::windows {

// The command line of CreateProcessW for these arguments, each quoted so that the C
// run-time's splitting (and CommandLineToArgvW) gives the same arguments back.
std::wstring QuoteCommandLine(const std::vector<std::string>& argv);

}
