#include "platform/RunProcess.h"
#include "platform/StopSignals.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

using namespace plintor::platform;

namespace {

// Runs in a child process of its own (death test): starts the watch, registers clean-ups
// (one ended before the signal, one that throws) and sends itself `signal`.
[[noreturn]] void SignalAfterCleanUps(int signal)
{
    if (!StartStopSignalWatch() || !StartStopSignalWatch())
        _exit(1);
    CStopSignalCleanUp first([] { std::fputs("first\n", stderr); });
    CStopSignalCleanUp throwing([] { throw std::runtime_error("no"); });
    CStopSignalCleanUp second([] { std::fputs("second ", stderr); });
    {
        CStopSignalCleanUp ended([] { std::fputs("ended ", stderr); });
    }
    kill(getpid(), signal);
    // The signal is blocked here; only the watcher takes it.
    std::this_thread::sleep_for(std::chrono::seconds(20));
    _exit(2);
}

}

TEST(StopSignals, EachStopSignalRunsTheLiveCleanUpsNewestFirstAndEndsWith128PlusTheSignal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(SignalAfterCleanUps(signal), ::testing::ExitedWithCode(128 + signal), "^second first\n$");
    }
}

TEST(StopSignals, AProgramStartedWhileTheStopSignalsAreBlockedStartsWithNoneBlocked)
{
    sigset_t stops, previous;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &stops, &previous), 0);
    ProcessResult run = RunProcess({"/bin/sh", "-c", "grep -Eq '^SigBlk:[[:space:]]*0+$' /proc/self/status"},
                                   std::chrono::seconds(10));
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0);
}
