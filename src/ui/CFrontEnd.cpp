#include "ui/CFrontEnd.h"

#include "ui/CMessageQueue.h"

#include <atomic>

namespace plintor {

namespace {

std::atomic<CFrontEnd*> installed{nullptr};

}

void SetFrontEnd(CFrontEnd* frontEnd)
{
    installed.store(frontEnd);
    CMessageQueue& queue = CMessageQueue::Instance();
    if (!frontEnd) {
        queue.SetWakeHandler(nullptr);
        SetMessageBoxHandler(nullptr);
        return;
    }
    queue.AttachToCurrentThread();
    queue.SetWakeHandler([frontEnd] { frontEnd->WakeUp(); });
    SetMessageBoxHandler([frontEnd](const MessageBoxRequest& request) {
        return frontEnd->ShowMessageBox(request);
    });
}

CFrontEnd* GetFrontEnd()
{
    return installed.load();
}

}
