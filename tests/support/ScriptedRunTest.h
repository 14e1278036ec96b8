#pragma once

// A fixture base for whole runs of the program under the script front end: a folder of
// the test's own holding the instance lock, the spooler state file and a copy of the
// sample configuration whose
// lock name is the test's own, and printer operations whose settings contexts are moved
// to that folder with a fixed wire character set.

#include "PrinterProcess.h"
#include "wizard/PrinterOperations.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace plintor::test {

class ScriptedRunTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the sample configuration to `configPath`, with the lock name made the test's
    // own, after `edit` changed it (when given).
    void WriteSampleConfig(const std::function<void(std::string& ini)>& edit = {});

    // A fixture's own change to every settings context, on top of the standard ones.
    virtual void AdjustSettingsContext(SettingsContext&) {}

    CTempFolder folder;
    std::string configPath;
    // The printer operations the runs get: the program's, every settings context moved
    // to the folder (AdjustSettingsContext included). A test replaces entries before a run.
    PrinterOperations operations;
};

// The whole content of a file, or empty.
std::string ReadWholeFile(const std::string& path);

}
