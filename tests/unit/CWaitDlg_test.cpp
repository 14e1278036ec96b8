#include "wizard/CAPWaitDlg.h"
#include "wizard/CWaitDlg.h"
#include "wizard/CWorkerThread.h"

#include "resources/dialogs/WaitIds.h"
#include "ui/CMessageQueue.h"
#include "ui/DialogTemplate.h"
#include "ui/WindowMessages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using namespace plintor;
using namespace std::chrono_literals;

namespace {

// Waits (bounded) for a condition that another thread makes true.
template <class Predicate>
bool Eventually(Predicate predicate, std::chrono::milliseconds limit = 5000ms)
{
    auto until = std::chrono::steady_clock::now() + limit;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// A top-level window standing in for the page that starts the wait; it records the
// private messages it handles and on which thread.
class OwnerWindow : public CDialog {
public:
    OwnerWindow()
    {
        DialogTemplate layout;
        layout.id = 9000;
        layout.cx = 100;
        layout.cy = 100;
        layout.child = false;
        Create(layout, nullptr);
        ShowWindow(true);
    }
    std::atomic<int> handled{0};
    std::thread::id handledOn;
    std::promise<void> released;

protected:
    std::intptr_t OnMessage(unsigned message, std::uintptr_t, std::intptr_t) override
    {
        if (message == WM_USER + 1) {
            handledOn = std::this_thread::get_id();
            ++handled;
            released.set_value();
        }
        return 0;
    }
};

// A wait dialog that counts its windows and can hold its initialisation until the
// worker has finished, as happens when the work is quicker than the window.
class ProbeWaitDlg : public CWaitDlg {
public:
    using CWaitDlg::CWaitDlg;
    bool holdInitUntilWorkerEnds = false;
    bool closeBeforeWindowExists = false;
    int windowsMade = 0;

protected:
    void OnWorkerStarted() override
    {
        // The worker ends and the main thread runs its close before the window is made.
        if (closeBeforeWindowExists) {
            Eventually([this] { return !thread.IsRunning(); });
            CMessageQueue::Instance().RunPending();
        }
    }
    bool OnInitDialog() override
    {
        ++windowsMade;
        if (holdInitUntilWorkerEnds)
            Eventually([this] { return !thread.IsRunning(); });
        return CWaitDlg::OnInitDialog();
    }
};

class WaitDialogTest : public ::testing::Test {
protected:
    void SetUp() override { CMessageQueue::Instance().AttachToCurrentThread(); }
    void TearDown() override
    {
        CMessageQueue::Instance().RunPending();
        CMessageQueue::Instance().Reset();
        // No worker may outlive its test.
        EXPECT_EQ(CWorkerThread::LiveCount(), 0);
    }
};

TEST_F(WaitDialogTest, ShowsItsTextAndClosesWhenTheWorkIsDone)
{
    OwnerWindow owner;
    CWaitDlg wait(&owner, 1033);
    EXPECT_EQ(wait.message, "Searching for printer. Please wait.");
    std::string shownText;
    bool ownerDisabled = false;
    std::atomic<bool> workRan{false};
    ASSERT_TRUE(wait.Run([&] {
        // Ask the main thread what it shows while the work runs.
        CMessageQueue::Instance().Send([&] {
            if (CWindow* text = wait.GetDlgItem(IDC_WAIT_MESSAGE))
                shownText = text->GetWindowText();
            ownerDisabled = !owner.IsWindowEnabled();
        });
        workRan = true;
    }));
    EXPECT_TRUE(workRan);
    EXPECT_EQ(shownText, "Searching for printer. Please wait.");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(wait.Exists());
    EXPECT_FALSE(wait.thread.Started());
}

TEST_F(WaitDialogTest, AccessPointWaitShowsItsOwnText)
{
    OwnerWindow owner;
    CAPWaitDlg wait(&owner, 1033);
    EXPECT_EQ(wait.message, "Searching for Access Point. Please wait.");
    EXPECT_TRUE(wait.Run([] {}));
}

TEST_F(WaitDialogTest, PostedMessageIsHandledOnTheMainThreadWhileTheWorkRuns)
{
    OwnerWindow owner;
    CWaitDlg wait(&owner, 1033);
    bool releasedByMainThread = false;
    ASSERT_TRUE(wait.Run([&] {
        std::future<void> released = owner.released.get_future();
        owner.PostMessage(WM_USER + 1, 0, 0);
        // The work goes on only once the main thread has handled the message: it would
        // wait in vain if the main thread were blocked by the wait.
        releasedByMainThread = released.wait_for(5s) == std::future_status::ready;
    }));
    EXPECT_TRUE(releasedByMainThread);
    EXPECT_EQ(owner.handled.load(), 1);
    EXPECT_EQ(owner.handledOn, std::this_thread::get_id());
}

TEST_F(WaitDialogTest, KeysAndCloseDoNotDismissTheDialogWhileTheWorkRuns)
{
    OwnerWindow owner;
    CWaitDlg wait(&owner, 1033);
    bool stillShown = false;
    ASSERT_TRUE(wait.Run([&] {
        CMessageQueue::Instance().Send([&] {
            CWindow* text = wait.GetDlgItem(IDC_WAIT_MESSAGE);
            for (int key : {VK_ESCAPE, VK_RETURN, VK_F4, VK_SPACE})
                CDialog::PressKey(text, key);
            wait.UserClose();
            wait.SendMessage(WM_COMMAND, MakeCommandParam(IDCANCEL, BN_CLICKED), 0);
            wait.SendMessage(WM_COMMAND, MakeCommandParam(IDOK, BN_CLICKED), 0);
            stillShown = wait.Exists() && !wait.ModalEnded();
        });
    }));
    EXPECT_TRUE(stillShown);
}

TEST_F(WaitDialogTest, WorkFinishedBeforeTheWindowExistsStillEndsTheWait)
{
    OwnerWindow owner;
    {
        // The close finds no window: the dialog sees the completion when it is made and
        // does not wait for a close that already came.
        ProbeWaitDlg wait(&owner, 1033);
        wait.closeBeforeWindowExists = true;
        ASSERT_TRUE(wait.Run([] {}));
        EXPECT_EQ(wait.windowsMade, 1);
        EXPECT_FALSE(wait.Exists());
    }
    {
        // The work ends while the window is being made; its close is still queued.
        ProbeWaitDlg wait(&owner, 1033);
        wait.holdInitUntilWorkerEnds = true;
        ASSERT_TRUE(wait.Run([] {}));
        EXPECT_EQ(wait.windowsMade, 1);
    }
    // A close left in the queue by an ended wait touches nothing of the next one.
    ProbeWaitDlg next(&owner, 1033);
    bool shownDuringWork = false;
    ASSERT_TRUE(next.Run([&] {
        CMessageQueue::Instance().Send([&] { shownDuringWork = next.Exists() && !next.ModalEnded(); });
    }));
    EXPECT_TRUE(shownDuringWork);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(WaitDialogTest, ThreadThatCannotBeMadeShowsNothingAndDoesNoWork)
{
    OwnerWindow owner;
    ProbeWaitDlg wait(&owner, 1033);
    bool workRan = false;
    CWorkerThread::FailNextStart();
    EXPECT_FALSE(wait.Run([&] { workRan = true; }));
    EXPECT_FALSE(workRan);
    EXPECT_EQ(wait.windowsMade, 0);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(WaitDialogTest, EverySearchBuildsItsOwnDialogAndThread)
{
    OwnerWindow owner;
    int runs = 0;
    std::thread::id first, second;
    for (int i = 0; i < 2; ++i) {
        CWaitDlg wait(&owner, 1033);
        ASSERT_TRUE(wait.Run([&, i] {
            (i == 0 ? first : second) = std::this_thread::get_id();
            ++runs;
        }));
        // One dialog object serves one wait.
        EXPECT_FALSE(wait.Run([] {}));
    }
    EXPECT_EQ(runs, 2);
    EXPECT_NE(first, std::this_thread::get_id());
    EXPECT_NE(second, std::this_thread::get_id());
}

TEST(WorkerThreadTest, ThreadOutlivingItsWaitIsLetGoAndEndsByItself)
{
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    {
        CWorkerThread worker;
        ASSERT_TRUE(worker.Start([gate] { gate.wait_for(10s); }));
        EXPECT_TRUE(worker.IsRunning());
        EXPECT_FALSE(worker.WaitForEnd(20ms));
        EXPECT_FALSE(worker.Started());
        // A second start is allowed once the first thread was let go.
        ASSERT_TRUE(worker.Start([] {}));
        EXPECT_TRUE(worker.WaitForEnd(5s));
    }
    EXPECT_EQ(CWorkerThread::LiveCount(), 1);
    release.set_value();
    EXPECT_TRUE(Eventually([] { return CWorkerThread::LiveCount() == 0; }));
}

}
