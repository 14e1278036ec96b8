#include "ui/CDialog.h"

#include "ui/CButton.h"
#include "ui/CEdit.h"
#include "ui/CFrontEnd.h"
#include "ui/CMessageQueue.h"
#include "ui/DialogTemplate.h"

#include <chrono>

namespace plintor {

namespace {

// Without a front end a modal loop only runs the message queue; it wakes this often to
// look whether its dialog has ended.
constexpr std::chrono::milliseconds kBareLoopPoll{50};

CDialog* InnermostDialog(CWindow* window)
{
    for (; window; window = window->Parent())
        if (auto* dialog = dynamic_cast<CDialog*>(window))
            return dialog;
    return nullptr;
}

}

CDialog::CDialog() = default;

CDialog::~CDialog()
{
    DestroyWindow();
}

bool CDialog::Create(const DialogTemplate& layout, CWindow* parentWindow)
{
    if (Exists())
        return false;
    CWindow* linkedParent = layout.child ? parentWindow : nullptr;
    owner = layout.child ? nullptr : parentWindow;
    templateId = layout.id;
    ended = false;
    result = 0;
    // Dialogs are created hidden; the caller shows them.
    AttachWindow(linkedParent, layout.id, ControlKind::Dialog, {0, 0, layout.cx, layout.cy},
                 layout.caption, StyleHidden);
    FontDesc dialogFont;
    dialogFont.face = layout.fontFace;
    dialogFont.height = layout.fontPoints;
    SetFont(dialogFont);
    for (const ControlTemplate& control : layout.controls)
        CreateControl(control, *this);
    if (CFrontEnd* frontEnd = GetFrontEnd()) {
        frontEnd->CreatePeer(*this);
        SetPeerLive(true);
    }
    OnInitDialog();
    return true;
}

int CDialog::DoModal(const DialogTemplate& layout, CWindow* ownerWindow)
{
    if (Exists())
        return -1;
    DialogTemplate topLevel = layout;
    topLevel.child = false;
    modal = true;
    if (!Create(topLevel, ownerWindow)) {
        modal = false;
        return -1;
    }
    CWindow* disabled = nullptr;
    if (ownerWindow) {
        CWindow* top = ownerWindow->TopLevel();
        if (top->IsWindowEnabled()) {
            top->EnableWindow(false);
            disabled = top;
        }
    }
    if (!ended)
        ShowWindow(true);
    if (!ended) {
        if (CFrontEnd* frontEnd = GetFrontEnd()) {
            frontEnd->RunModalLoop(*this);
        } else {
            CMessageQueue& queue = CMessageQueue::Instance();
            while (!ended)
                queue.WaitAndRunOne(kBareLoopPoll);
        }
    }
    if (disabled && disabled->Exists())
        disabled->EnableWindow(true);
    modal = false;
    DestroyWindow();
    return result;
}

void CDialog::EndDialog(int endResult)
{
    if (ended)
        return;
    result = endResult;
    ended = true;
    if (!modal) {
        ShowWindow(false);
        return;
    }
    if (CFrontEnd* frontEnd = GetFrontEnd())
        frontEnd->EndModalLoop(*this);
}

CWindow* CDialog::DefaultButton() const
{
    for (CWindow* child : Children())
        if (child->Kind() == ControlKind::DefaultPushButton)
            return child;
    return nullptr;
}

bool CDialog::OnCommand(int controlId, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (controlId == IDOK) {
        OnOK();
        return true;
    }
    if (controlId == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

std::intptr_t CDialog::WindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(CommandId(wParam), CommandCodeOf(wParam)) ? 1 : 0;
    case WM_NOTIFY:
        return lParam ? (OnNotify(*reinterpret_cast<const NotifyInfo*>(lParam)) ? 1 : 0) : 0;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_HELP:
        OnHelp();
        return 1;
    case WM_DESTROY:
        return 0;
    default:
        return OnMessage(message, wParam, lParam);
    }
}

bool CDialog::PressKey(CWindow* target, int virtualKey)
{
    if (!target || !target->IsEnabledForInput())
        return false;
    WindowHandle targetHandle = target->Handle();
    for (CWindow* window = target; window; window = window->Parent()) {
        auto* dialog = dynamic_cast<CDialog*>(window);
        if (dialog && dialog->PreTranslateMessage(WM_KEYDOWN, static_cast<std::uintptr_t>(virtualKey), target))
            return true;
        if (!CWindow::FromHandle(targetHandle))
            return true;   // the handler destroyed the target
    }
    CDialog* dialog = InnermostDialog(target);
    return dialog && DefaultKeyHandling(*dialog, target, virtualKey);
}

bool CDialog::DefaultKeyHandling(CDialog& dialog, CWindow* target, int virtualKey)
{
    switch (virtualKey) {
    case VK_ESCAPE:
        dialog.SendMessage(WM_COMMAND, MakeCommandParam(IDCANCEL, BN_CLICKED), 0);
        return true;
    case VK_RETURN: {
        if (auto* edit = dynamic_cast<CEdit*>(target); edit && edit->IsMultiLine())
            return false;
        auto* focused = dynamic_cast<CButton*>(target);
        if (focused && focused->IsPushButton()) {
            focused->Click();
            return true;
        }
        if (CWindow* button = dialog.DefaultButton()) {
            if (!button->IsEnabledForInput() || !button->IsWindowVisible())
                return false;
            static_cast<CButton*>(button)->Click();
            return true;
        }
        dialog.SendMessage(WM_COMMAND, MakeCommandParam(IDOK, BN_CLICKED), 0);
        return true;
    }
    case VK_SPACE: {
        auto* focused = dynamic_cast<CButton*>(target);
        if (!focused)
            return false;
        focused->Click();
        return true;
    }
    case VK_F1:
        dialog.SendMessage(WM_HELP, 0, 0);
        return true;
    default:
        return false;
    }
}

}
