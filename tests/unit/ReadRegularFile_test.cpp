#include "platform/DurableFile.h"

#include "config/GeneralSettings.h"
#include "config/IniFile.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace plintor {
namespace {

// The Linux form: a FIFO in the configuration file's place is not read, and the reader
// does not block waiting for a writer; a regular file is read up to the cap.
TEST(ReadRegularFile, RefusesAFifoWithoutBlockingAndCapsARegularFile)
{
    test::CTempFolder temp("plintor-regular");
    ASSERT_FALSE(temp.Path().empty());
    const std::string fifo = temp.Path() + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string text = "left over";
    EXPECT_FALSE(platform::ReadRegularFile(fifo, 100, text));
    EXPECT_EQ(text, "");
    IniFile file;
    EXPECT_FALSE(file.Load(fifo));
    EXPECT_FALSE(IsEntryCommandNeeded(fifo));

    const std::string path = temp.Path() + "/real.ini";
    std::ofstream(path) << "[General Setting]\n";
    ASSERT_TRUE(platform::ReadRegularFile(path, 8, text));
    EXPECT_EQ(text, "[General");
    ASSERT_TRUE(platform::ReadRegularFile(path, 1000, text));
    EXPECT_EQ(text, "[General Setting]\n");
}

}
}
