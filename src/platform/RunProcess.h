#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace plintor::platform {

// Outcome of a program run with RunProcess.
struct ProcessResult {
    bool started = false;
    bool timedOut = false; // killed after the bound
    int exitCode = -1;     // the exit status when it ended by itself
};

// Runs argv[0] (an absolute path) with its arguments, no shell, standard streams on
// /dev/null and no signal blocked, and waits at most `bound` for it; a program still
// running then is killed.
ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds bound);

// The first of the paths that is an executable file, or empty.
std::string FindProgram(const std::vector<std::string>& candidates);

}
