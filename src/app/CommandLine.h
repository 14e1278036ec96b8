#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plintor {

// The value of an option in a command line: the text after the first occurrence of
// `prefix` (found without regard to case) up to the first blank or "/", lower-cased,
// with leading double quotes and trailing blanks and double quotes stripped. Empty when
// the option is absent.
std::string GetOptionValue(std::string_view line, std::string_view prefix);

// The program's arguments, split into those of the program's own front ends and the
// command line that start-up examines for its options ("/ip", "/mode:usb", ...).
//
// Arguments beginning with "--" belong to the front ends and never reach start-up, so
// that a file name such as "--script /home/ipp/run.txt" cannot select IP configuration.
// "--help" and "--version" are answered before start-up runs. Options that take a value
// ("--script FILE" or "--script=FILE") take the argument after them.
struct ProgramArguments {
    bool help = false;
    bool version = false;
    std::string scriptPath;                 // "--script FILE": the script front end
    std::vector<std::string> frontEnd;      // every other "--" argument, in order
    std::string commandLine;                // the remaining arguments joined by blanks
    std::string error;                      // a front-end option without its value
};

ProgramArguments SplitProgramArguments(int argc, const char* const* argv);

// The text of `plintor --help`.
std::string ProgramUsage();

}
