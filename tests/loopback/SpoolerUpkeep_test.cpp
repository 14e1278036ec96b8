#include "PrinterProcess.h"
#include "discovery/SpoolerUpkeep.h"
#include "platform/DurableFile.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plintor {
namespace {

// The list used to be deleted after a release even when CUPS was down, and the queue then
// held every job for good.
TEST(SpoolerUpkeep, AReleaseThatCupsDoesNotConfirmKeepsItsEntries)
{
    char pattern[] = "/tmp/plintor-spooler-state-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string path = folder + "/held-queues";
    const int port = test::FreeLoopbackPort();
    const std::string listed = "127.0.0.1\t" + std::to_string(port) + "\toffice\n127.0.0.1\t"
        + std::to_string(port) + "\thall\n";
    ASSERT_TRUE(platform::ReplaceFileDurably(path, listed));

    CSpoolerUpkeep upkeep(path);
    ReleaseReport report = upkeep.ReleaseLeftovers();
    EXPECT_TRUE(report.released.empty());
    ASSERT_EQ(report.failed.size(), 2u);
    EXPECT_EQ(report.failed[0].queue, "office");
    EXPECT_EQ(report.failed[0].reason, "no answer from the CUPS server at 127.0.0.1:" + std::to_string(port));
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(path, text));
    EXPECT_EQ(text, listed);

    // Without a server nothing is held, and nothing is written.
    setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(port)).c_str(), 1);
    CSpoolerUpkeep fresh(folder + "/other");
    std::vector<std::string> printersToRestore;
    EXPECT_EQ(fresh.DisableBidi("127.0.0.1", CSpoolerUpkeep::kNetworkForm, printersToRestore), -1);
    EXPECT_TRUE(printersToRestore.empty());
    EXPECT_FALSE(std::filesystem::exists(folder + "/other"));
    EXPECT_TRUE(fresh.RestoreBidi(printersToRestore).Empty());
    unsetenv("CUPS_SERVER");
    std::filesystem::remove_all(folder);
}

}
}
