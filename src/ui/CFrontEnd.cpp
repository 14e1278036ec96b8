#include "ui/CFrontEnd.h"

#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CMessageQueue.h"

#include <algorithm>

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

bool UserMayClose(const CDialog& dialog)
{
    const auto& children = dialog.Children();
    return children.empty() || std::any_of(children.begin(), children.end(), [](const CWindow* child) {
        auto* button = dynamic_cast<const CButton*>(child);
        return button && button->IsPushButton();
    });
}

CFrontEnd* GetFrontEnd()
{
    return installed.load();
}

}
