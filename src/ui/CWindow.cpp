#include "ui/CWindow.h"

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CFrontEnd.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/WindowMessages.h"

#include <algorithm>
#include <unordered_map>

namespace plintor {

namespace {

// Handles are never reused within a process, so a message posted to a window that has
// gone can never reach a newer window.
std::atomic<WindowHandle> nextHandle{1};

// Handle to window; touched on the main thread only.
std::unordered_map<WindowHandle, CWindow*>& Registry()
{
    static std::unordered_map<WindowHandle, CWindow*> registry;
    return registry;
}

CWindow* focusWindow = nullptr;

}

CWindow::CWindow() = default;

CWindow::~CWindow()
{
    // A derived part is already gone here; OnDestroy of the derived class cannot run.
    // Owners destroy their windows first (CDialog does), this only keeps the registry sane.
    if (Exists())
        DestroyWindow();
}

CWindow* CWindow::FromHandle(WindowHandle windowHandle)
{
    auto found = Registry().find(windowHandle);
    return found == Registry().end() ? nullptr : found->second;
}

CWindow* CWindow::TopLevel()
{
    CWindow* window = this;
    while (window->parent)
        window = window->parent;
    return window;
}

CWindow* CWindow::GetDlgItem(int controlId) const
{
    for (CWindow* child : children)
        if (child->id == controlId)
            return child;
    return nullptr;
}

void CWindow::SetWindowText(const std::string& newText)
{
    if (text == newText)
        return;
    text = newText;
    Changed(PeerText);
}

void CWindow::EnableWindow(bool enable)
{
    if (enabled == enable)
        return;
    enabled = enable;
    Changed(PeerEnabled);
}

bool CWindow::IsEnabledForInput() const
{
    for (const CWindow* window = this; window; window = window->parent)
        if (!window->enabled)
            return false;
    return Exists();
}

bool CWindow::IsShownOnScreen() const
{
    for (const CWindow* window = this; window; window = window->parent)
        if (!window->visible)
            return false;
    return Exists();
}

void CWindow::ShowWindow(bool show)
{
    if (visible == show)
        return;
    visible = show;
    Changed(PeerVisible);
    if (!show && focusWindow) {
        for (CWindow* window = focusWindow; window; window = window->parent)
            if (window == this) {
                focusWindow = nullptr;
                break;
            }
    }
    if (kind == ControlKind::Dialog)
        SendMessage(WM_SHOWWINDOW, show ? 1 : 0, 0);
}

void CWindow::MoveWindow(const WindowRect& newRect)
{
    if (rect == newRect)
        return;
    rect = newRect;
    Changed(PeerGeometry);
}

void CWindow::SetFont(const FontDesc& newFont)
{
    if (font == newFont)
        return;
    font = newFont;
    Changed(PeerFont);
}

void CWindow::SetColours(Colour newText, Colour newBackground, bool transparentBackground)
{
    if (textColour == newText && backgroundColour == newBackground
        && transparent == transparentBackground)
        return;
    textColour = newText;
    backgroundColour = newBackground;
    transparent = transparentBackground;
    Changed(PeerColours);
}

void CWindow::SetBitmap(int bitmapResourceId)
{
    if (bitmapId == bitmapResourceId)
        return;
    bitmapId = bitmapResourceId;
    Changed(PeerImage);
}

void CWindow::SetFocus()
{
    if (!Exists() || focusWindow == this)
        return;
    focusWindow = this;
    Changed(PeerFocus);
}

CWindow* CWindow::GetFocus()
{
    return focusWindow;
}

std::intptr_t CWindow::SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    CMessageQueue& queue = CMessageQueue::Instance();
    if (queue.IsMainThread())
        return Exists() ? WindowProc(message, wParam, lParam) : 0;
    WindowHandle target = Handle();
    if (target == 0)
        return 0;
    std::intptr_t answer = 0;
    queue.Send([target, message, wParam, lParam, &answer] {
        if (CWindow* window = FromHandle(target))
            answer = window->WindowProc(message, wParam, lParam);
    });
    return answer;
}

void CWindow::PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    PostMessage(Handle(), message, wParam, lParam);
}

void CWindow::PostMessage(WindowHandle target, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam)
{
    CMessageQueue::Instance().Post([target, message, wParam, lParam] {
        if (CWindow* window = FromHandle(target))
            window->WindowProc(message, wParam, lParam);
    });
}

std::intptr_t CWindow::WindowProc(unsigned, std::uintptr_t, std::intptr_t)
{
    return 0;
}

void CWindow::DestroyWindow()
{
    if (!Exists())
        return;
    if (kind == ControlKind::Dialog)
        WindowProc(WM_DESTROY, 0, 0);
    OnDestroy();
    if (peerLive)
        if (CFrontEnd* frontEnd = GetFrontEnd())
            frontEnd->DestroyPeer(*this);
    SetPeerLive(false);
    // Children go first; child dialogs are owned elsewhere and only lose their window.
    while (!children.empty()) {
        CWindow* child = children.back();
        child->DestroyWindow();
        if (!children.empty() && children.back() == child)
            children.pop_back();
    }
    ownedControls.clear();
    if (parent) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent = nullptr;
    }
    if (focusWindow == this)
        focusWindow = nullptr;
    Registry().erase(Handle());
    handle.store(0);
}

void CWindow::AttachWindow(CWindow* parentWindow, int windowId, ControlKind windowKind,
                           const WindowRect& windowRect, const std::string& windowText,
                           std::uint32_t windowStyle)
{
    id = windowId;
    kind = windowKind;
    rect = windowRect;
    text = windowText;
    style = windowStyle;
    enabled = (windowStyle & StyleDisabled) == 0;
    visible = (windowStyle & StyleHidden) == 0;
    parent = parentWindow;
    if (parent)
        parent->children.push_back(this);
    WindowHandle fresh = nextHandle.fetch_add(1);
    Registry()[fresh] = this;
    handle.store(fresh);
}

void CWindow::Changed(unsigned what)
{
    if (!peerLive)
        return;
    if (CFrontEnd* frontEnd = GetFrontEnd())
        frontEnd->UpdatePeer(*this, what);
}

void CWindow::NotifyParent(int code)
{
    if (parent)
        parent->SendMessage(WM_COMMAND, MakeCommandParam(id, code),
                            static_cast<std::intptr_t>(Handle()));
}

void CWindow::NotifyParent(const NotifyInfo& info)
{
    NotifyInfo sent = info;
    sent.idFrom = id;
    if (parent)
        parent->SendMessage(WM_NOTIFY, static_cast<std::uintptr_t>(static_cast<std::uint16_t>(id)),
                            reinterpret_cast<std::intptr_t>(&sent));
}

void CWindow::SetPeerLive(bool live)
{
    peerLive = live;
    for (CWindow* child : children)
        child->SetPeerLive(live);
}

CWindow* CWindow::CreateControl(const ControlTemplate& control, CWindow& parentWindow)
{
    std::unique_ptr<CWindow> made;
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkButton:
        made = std::make_unique<CButton>();
        break;
    case ControlKind::Edit:
        made = std::make_unique<CEdit>();
        break;
    case ControlKind::ComboBox:
        made = std::make_unique<CComboBox>();
        break;
    case ControlKind::ListView:
        made = std::make_unique<CListView>();
        break;
    case ControlKind::IpAddress:
        made = std::make_unique<CIpAddressControl>();
        break;
    default:
        made = std::make_unique<CWindow>();
        break;
    }
    CWindow* window = made.get();
    window->AttachWindow(&parentWindow, control.id, control.kind,
                         {control.x, control.y, control.cx, control.cy}, control.text,
                         control.style);
    window->font = parentWindow.font;
    window->bitmapId = control.bitmapId;
    if (control.kind == ControlKind::Edit && control.limit > 0)
        static_cast<CEdit*>(window)->SetLimitText(static_cast<std::size_t>(control.limit));
    if (control.kind == ControlKind::IpAddress)
        window->SetWindowText(control.text);
    parentWindow.ownedControls.push_back(std::move(made));
    return window;
}

}
