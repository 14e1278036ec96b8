#include "discovery/SpoolerUpkeep.h"
#include "platform/DurableFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plintor {
namespace {

// The list of held queues used to live in a folder that a reboot empties, so a queue held
// by a run that did not end cleanly stayed held for good after the reboot.
TEST(SpoolerUpkeep, TheStateLivesWhereItSurvivesAReboot)
{
    EXPECT_EQ(CSpoolerUpkeep::StatePathFor(true, "/home/ann/.state", "/home/ann"), "/var/lib/plintor/held-queues");
    EXPECT_EQ(CSpoolerUpkeep::StatePathFor(false, "/home/ann/.state", "/home/ann"),
              "/home/ann/.state/plintor/held-queues");
    EXPECT_EQ(CSpoolerUpkeep::StatePathFor(false, "relative", "/home/ann"),
              "/home/ann/.local/state/plintor/held-queues");
    EXPECT_EQ(CSpoolerUpkeep::StatePathFor(false, nullptr, nullptr), "/var/lib/plintor/held-queues");
    for (const char* temporary : {"/tmp", "/run", "/var/tmp"}) {
        EXPECT_NE(CSpoolerUpkeep::StatePathFor(true, nullptr, nullptr).rfind(temporary, 0), 0u);
        EXPECT_NE(CSpoolerUpkeep::StatePathFor(false, nullptr, "/home/ann").rfind(temporary, 0), 0u);
    }
}

TEST(SpoolerUpkeep, StateLinesRoundTripAndDamagedLinesAreSkipped)
{
    std::vector<HeldQueue> queues = {{"/run/cups/cups.sock", 631, "office"},
                                     {"127.0.0.1", 8631, "lab printer"},
                                     {"print.example", 631, "office"}};
    EXPECT_EQ(CSpoolerUpkeep::ParseState(CSpoolerUpkeep::FormatState(queues)), queues);
    // A cut last line, a port that is no number, a line without a queue, a repeated line.
    std::string damaged = CSpoolerUpkeep::FormatState(queues) + "localhost\t6x1\tq\nlocalhost\t631\t\n"
        + "/run/cups/cups.sock\t631\toffice\nlocalhost\t99999\tq\nlocalhost\t631";
    EXPECT_EQ(CSpoolerUpkeep::ParseState(damaged), queues);
    EXPECT_TRUE(CSpoolerUpkeep::ParseState("").empty());
}

TEST(SpoolerUpkeep, OneLineSaysWhatWasReleasedAndWhatStaysListed)
{
    ReleaseReport report;
    report.statePath = "/var/lib/plintor/held-queues";
    EXPECT_EQ(DescribeRelease(report, "an earlier run", true), "");
    report.released = {"office", "lab"};
    EXPECT_EQ(DescribeRelease(report, "an earlier run", true),
              "plintor: print queues held by an earlier run: released office, lab");
    EXPECT_EQ(DescribeRelease(report, "this run", false), "");
    report.failed = {{"hall", "no answer from the CUPS server at localhost:631"}};
    EXPECT_EQ(DescribeRelease(report, "this run", false),
              "plintor: print queues held by this run: could not release hall (no answer from the CUPS server at "
              "localhost:631); it stays listed in /var/lib/plintor/held-queues for the next start or plintor "
              "--release-queues");
}

TEST(DurableFile, ReplacesWholeMakesTheFolderAndRemovesOnEmptyText)
{
    char pattern[] = "/tmp/plintor-durable-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string path = folder + "/state/plintor/held-queues";
    std::string text;
    EXPECT_FALSE(platform::ReadWholeFile(path, text));

    ASSERT_TRUE(platform::ReplaceFileDurably(path, "a\tb\n"));
    ASSERT_TRUE(platform::ReadWholeFile(path, text));
    EXPECT_EQ(text, "a\tb\n");
    ASSERT_TRUE(platform::ReplaceFileDurably(path, "c\n"));
    ASSERT_TRUE(platform::ReadWholeFile(path, text));
    EXPECT_EQ(text, "c\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    // A folder that cannot be written leaves the old file as it was.
    if (geteuid() != 0) {
        chmod((folder + "/state/plintor").c_str(), 0500);
        EXPECT_FALSE(platform::ReplaceFileDurably(path, "d\n"));
        chmod((folder + "/state/plintor").c_str(), 0700);
        ASSERT_TRUE(platform::ReadWholeFile(path, text));
        EXPECT_EQ(text, "c\n");
    }
    EXPECT_FALSE(platform::ReplaceFileDurably(path + "/below-a-file", "x\n"));

    EXPECT_TRUE(platform::ReplaceFileDurably(path, ""));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(platform::ReplaceFileDurably(path, "")); // already gone
    std::filesystem::remove_all(folder);
}

}
}
