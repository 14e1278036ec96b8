#include "ui/CDialog.h"
#include "ui/CMessageQueue.h"
#include "ui/DialogTemplate.h"
#include "ui/WindowMessages.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace plintor;
using namespace std::chrono_literals;

namespace {

// Runs the queue on this (the main) thread until `done` holds or 10 s have passed.
template <class Done>
bool PumpUntil(Done done)
{
    auto until = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        CMessageQueue::Instance().WaitAndRunOne(10ms);
    }
    return true;
}

class RecordingDialog : public CDialog {
public:
    std::vector<std::pair<unsigned, std::uintptr_t>> received;
    std::thread::id handledOn;

protected:
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        received.emplace_back(message, wParam);
        handledOn = std::this_thread::get_id();
        return static_cast<std::intptr_t>(wParam) * 2 + lParam;
    }
};

DialogTemplate EmptyDialog()
{
    DialogTemplate layout;
    layout.id = 9000;
    layout.cx = 100;
    layout.cy = 50;
    layout.child = false;
    return layout;
}

class MessageQueueTest : public ::testing::Test {
protected:
    CHeadlessFrontEnd frontEnd;   // installs itself; the test thread is the main thread
    CMessageQueue& queue = CMessageQueue::Instance();
};

}

TEST_F(MessageQueueTest, PostsFromManyThreadsArriveInEachThreadsOrder)
{
    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::vector<int>> seen(kThreads);
    std::atomic<int> delivered{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i)
                queue.Post([&, t, i] {
                    seen[static_cast<std::size_t>(t)].push_back(i);
                    ++delivered;
                });
        });
    ASSERT_TRUE(PumpUntil([&] { return delivered == kThreads * kPerThread; }));
    for (auto& worker : workers)
        worker.join();
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[static_cast<std::size_t>(t)].size(), static_cast<std::size_t>(kPerThread));
        for (int i = 0; i < kPerThread; ++i)
            EXPECT_EQ(seen[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)], i) << "thread " << t;
    }
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(MessageQueueTest, CrossThreadSendBlocksUntilTheMainThreadRanIt)
{
    std::atomic<bool> sendReturned{false};
    std::atomic<bool> ranBeforeReturn{false};
    int value = 0;
    std::thread::id ranOn;
    std::thread worker([&] {
        bool ran = queue.Send([&] {
            value = 42;
            ranOn = std::this_thread::get_id();
            ranBeforeReturn = !sendReturned;
        });
        EXPECT_TRUE(ran);
        // Once Send has returned the main thread's writes are visible here.
        EXPECT_EQ(value, 42);
        sendReturned = true;
    });
    // The worker cannot get past Send while the main thread does not run the queue.
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(sendReturned);
    ASSERT_TRUE(PumpUntil([&] { return sendReturned.load(); }));
    worker.join();
    EXPECT_TRUE(ranBeforeReturn);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(MessageQueueTest, PostsAndSendsOfOneWorkerKeepTheirOrder)
{
    std::vector<std::string> order;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        queue.Post([&] { order.push_back("post 1"); });
        queue.Send([&] { order.push_back("send 2"); });
        queue.Post([&] { order.push_back("post 3"); });
        queue.Send([&] { order.push_back("send 4"); });
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }));
    worker.join();
    queue.RunPending();
    EXPECT_EQ(order, (std::vector<std::string>{"post 1", "send 2", "post 3", "send 4"}));
}

TEST_F(MessageQueueTest, SendOnTheMainThreadRunsAtOnce)
{
    bool ran = false;
    EXPECT_TRUE(queue.Send([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(MessageQueueTest, ResetReleasesAWaitingSenderAndNeverRunsItsClosureLate)
{
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::thread worker([&] { result = queue.Send([&] { ran = true; }) ? 1 : 0; });
    // Wait (without running the queue) until the worker's closure is queued.
    for (int i = 0; i < 10000 && queue.PendingCount() == 0; ++i)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(queue.PendingCount(), 1u);
    queue.Reset();
    worker.join();
    EXPECT_EQ(result, 0);
    queue.RunPending();
    EXPECT_FALSE(ran);
}

TEST_F(MessageQueueTest, WindowMessagesFromAWorkerReachTheWindowOnTheMainThread)
{
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(EmptyDialog(), nullptr));
    std::atomic<std::intptr_t> sent{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        dialog.PostMessage(WM_USER + 1, 7, 0);
        sent = dialog.SendMessage(WM_USER + 2, 10, 1);
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }));
    worker.join();
    EXPECT_EQ(sent, 21);
    ASSERT_EQ(dialog.received.size(), 2u);
    EXPECT_EQ(dialog.received[0], (std::pair<unsigned, std::uintptr_t>(WM_USER + 1, 7)));
    EXPECT_EQ(dialog.received[1], (std::pair<unsigned, std::uintptr_t>(WM_USER + 2, 10)));
    EXPECT_EQ(dialog.handledOn, std::this_thread::get_id());
    dialog.DestroyWindow();
}

TEST_F(MessageQueueTest, MessagesForAWindowThatWentAreDropped)
{
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(EmptyDialog(), nullptr));
    WindowHandle old = dialog.Handle();
    dialog.PostMessage(WM_USER + 1, 1, 0);
    dialog.DestroyWindow();
    // A new window of the same object never receives what was meant for the old one.
    ASSERT_TRUE(dialog.Create(EmptyDialog(), nullptr));
    EXPECT_NE(dialog.Handle(), old);
    std::intptr_t answer = -1;
    std::thread worker([&] { answer = CWindow().SendMessage(WM_USER + 3, 1, 0); });
    worker.join();
    queue.RunPending();
    EXPECT_TRUE(dialog.received.empty());
    EXPECT_EQ(answer, 0);
    dialog.DestroyWindow();
}

TEST_F(MessageQueueTest, APostFromAWorkerWakesTheFrontEnd)
{
    std::atomic<int> wakes{0};
    queue.SetWakeHandler([&] { ++wakes; });
    std::thread worker([&] { queue.Post([] {}); });
    worker.join();
    EXPECT_EQ(wakes, 1);
    queue.SetWakeHandler(nullptr);
    queue.RunPending();
}

TEST_F(MessageQueueTest, AFrontEndThatReplacedTheWakeHandlerIsNotWokenByAWorkerAnyMore)
{
    // A worker's wake-up is under way when the main thread removes the front end: the
    // removal waits for it, so that the front end may go at once afterwards.
    std::atomic<bool> waking{false}, release{false}, replaced{false}, replacedWhileWaking{false};
    queue.SetWakeHandler([&] {
        waking = true;
        while (!release)
            std::this_thread::yield();
        replacedWhileWaking = replaced.load();
    });
    std::thread worker([&] { queue.Post([] {}); });
    while (!waking)
        std::this_thread::yield();
    std::thread remover([&] {
        queue.SetWakeHandler(nullptr);
        replaced = true;
    });
    // Time for a removal that does not wait to finish; one that waits cannot finish.
    std::this_thread::sleep_for(100ms);
    release = true;
    worker.join();
    remover.join();
    EXPECT_FALSE(replacedWhileWaking);
    EXPECT_TRUE(replaced);
    queue.RunPending();
}

TEST_F(MessageQueueTest, AWorkersCloseRequestEndsTheModalLoopThatRunsMeanwhile)
{
    // The "please wait" pattern: the main thread runs a modal dialog, a worker does the
    // work and then sends the dialog a close request, which the modal loop delivers.
    RecordingDialog waiting;
    std::atomic<bool> sendReturned{false};
    std::thread worker;
    frontEnd.SetIdleAction([&](CDialog&) {
        if (!worker.joinable())
            worker = std::thread([&] {
                std::this_thread::sleep_for(20ms);
                waiting.SendMessage(WM_CLOSE);
                sendReturned = true;
            });
        return false;
    });
    EXPECT_EQ(waiting.DoModal(EmptyDialog()), IDCANCEL);
    worker.join();
    EXPECT_TRUE(sendReturned);
    EXPECT_FALSE(waiting.Exists());
    EXPECT_EQ(frontEnd.LivePeers(), 0);
}
