#include "ScriptedRunTest.h"

#include "settings/SettingsContext.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace plintor::test {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ScriptedRunTest::SetUp()
{
    setenv("PLINTOR_LOCK_DIR", folder.Path().c_str(), 1);
    // Start-up reads the list of paused spooler queues: the test's own, never the machine's.
    setenv("PLINTOR_SPOOLER_STATE", (folder.Path() + "/held-queues").c_str(), 1);
    configPath = folder.Path() + "/plintor.ini";
    WriteSampleConfig();
    // The file-mode job lands beside a program in the folder, not beside the test.
    std::string program = folder.Path() + "/plintor";
    operations = ProgramPrinterOperations();
    operations.adjustContext = [this, program](SettingsContext& context) {
        context.wireCharset = "ISO-8859-1";
        context.programPath = program;
        AdjustSettingsContext(context);
    };
}

void ScriptedRunTest::TearDown()
{
    unsetenv("PLINTOR_LOCK_DIR");
    unsetenv("PLINTOR_SPOOLER_STATE");
}

void ScriptedRunTest::WriteSampleConfig(const std::function<void(std::string& ini)>& edit)
{
    std::string ini = ReadWholeFile(PLINTOR_BIN_DIR "/plintor.ini");
    std::size_t name = ini.find("MUTEX_NAME=");
    ASSERT_NE(name, std::string::npos) << "the sample configuration has no lock name";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    ini.insert(name + 11, std::string(test ? test->test_suite_name() : "Test") + std::to_string(getpid()));
    if (edit)
        edit(ini);
    std::ofstream(configPath, std::ios::binary | std::ios::trunc) << ini;
}

}
