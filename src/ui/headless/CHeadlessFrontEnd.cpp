#include "ui/headless/CHeadlessFrontEnd.h"

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"

#include <cstdio>

namespace plintor {

namespace {

using Clock = std::chrono::steady_clock;

// How long a modal loop sleeps on the queue before it looks at its dialog again.
constexpr std::chrono::milliseconds kLoopPoll{20};

int CountDialogs(const CWindow& window)
{
    int count = window.Kind() == ControlKind::Dialog ? 1 : 0;
    for (const CWindow* child : window.Children())
        count += CountDialogs(*child);
    return count;
}

bool BoxHasButton(std::uint32_t style, int answer)
{
    switch (style & MB_TYPEMASK) {
    case MB_OK: return answer == IDOK;
    case MB_OKCANCEL: return answer == IDOK || answer == IDCANCEL;
    case MB_ABORTRETRYIGNORE: return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNOCANCEL: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO: return answer == IDYES || answer == IDNO;
    case MB_RETRYCANCEL: return answer == IDRETRY || answer == IDCANCEL;
    default: return answer == IDOK;
    }
}

bool TakesInput(const CWindow& window)
{
    if (window.Kind() == ControlKind::Dialog) {
        for (const CWindow* child : window.Children())
            if (child->IsWindowVisible() && TakesInput(*child))
                return true;
        return false;
    }
    return IsInputKind(window.Kind()) && window.IsWindowVisible() && window.IsWindowEnabled();
}

}

CHeadlessFrontEnd::CHeadlessFrontEnd()
{
    CMessageQueue::Instance().Reset();
    SetFrontEnd(this);
}

CHeadlessFrontEnd::~CHeadlessFrontEnd()
{
    if (GetFrontEnd() == this)
        SetFrontEnd(nullptr);
    CMessageQueue::Instance().Reset();
}

void CHeadlessFrontEnd::CreatePeer(CDialog&)
{
    ++livePeers;
}

void CHeadlessFrontEnd::UpdatePeer(CWindow&, unsigned)
{
}

void CHeadlessFrontEnd::DestroyPeer(CWindow& window)
{
    livePeers -= CountDialogs(window);
}

void CHeadlessFrontEnd::RunModalLoop(CDialog& dialog)
{
    CMessageQueue& queue = CMessageQueue::Instance();
    modalStack.push_back(&dialog);
    Clock::time_point idleSince = Clock::now();
    WindowHandle handle = dialog.Handle();
    while (!dialog.ModalEnded() && CWindow::FromHandle(handle)) {
        if (abandoned) {
            dialog.EndDialog(IDCANCEL);
            break;
        }
        if (queue.RunPending() > 0 || (idleAction && idleAction(dialog))
            || queue.WaitAndRunOne(kLoopPoll)) {
            idleSince = Clock::now();
            continue;
        }
        if (Clock::now() - idleSince > kModalIdleLimit) {
            gaveUp = true;
            dialog.EndDialog(IDCANCEL);
        }
    }
    modalStack.pop_back();
    if (onModalEnd)
        onModalEnd(dialog, ModalDepth());
}

void CHeadlessFrontEnd::EndModalLoop(CDialog&)
{
    // The loop looks at its dialog after every message.
}

int CHeadlessFrontEnd::ShowMessageBox(const MessageBoxRequest& request)
{
    ShownMessage shown;
    shown.caption = request.caption;
    shown.text = request.text;
    shown.style = request.style;
    if (answers.empty() || abandoned) {
        shown.answer = DefaultMessageBoxResult(request.style);
        shown.defaulted = true;
    } else {
        int queued = answers.front();
        answers.pop_front();
        if (BoxHasButton(request.style, queued)) {
            shown.answer = queued;
        } else {
            shown.answer = DefaultMessageBoxResult(request.style);
            shown.refused = true;
        }
    }
    messages.push_back(shown);
    if (onMessage)
        onMessage(shown);
    return shown.answer;
}

void CHeadlessFrontEnd::PageShown(CDialog&, int index, const std::string& className)
{
    currentPage = index;
    currentPageClass = className;
    if (onPage)
        onPage(index, className);
}

CDialog* CHeadlessFrontEnd::FrontDialog() const
{
    for (auto it = modalStack.rbegin(); it != modalStack.rend(); ++it)
        if ((*it)->Exists())
            return *it;
    return root && root->Exists() ? root : nullptr;
}

CDialog* CHeadlessFrontEnd::FrontPage() const
{
    CDialog* dialog = FrontDialog();
    if (!dialog)
        return nullptr;
    const auto& children = dialog->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto* page = dynamic_cast<CDialog*>(*it); page && page->IsWindowVisible())
            return page;
    return dialog;
}

CWindow* CHeadlessFrontEnd::Control(int id) const
{
    CDialog* page = FrontPage();
    if (!page)
        return nullptr;
    if (CWindow* control = page->GetDlgItem(id))
        return control;
    CDialog* dialog = FrontDialog();
    return dialog != page ? dialog->GetDlgItem(id) : nullptr;
}

bool CHeadlessFrontEnd::FrontDialogIsBusy() const
{
    CDialog* dialog = FrontDialog();
    return dialog && dialog->IsModal() && !TakesInput(*dialog);
}

DriveResult CHeadlessFrontEnd::Reach(int id, CWindow*& control) const
{
    if (!FrontDialog())
        return DriveResult::Fail("no dialog is shown");
    control = Control(id);
    if (!control)
        return DriveResult::Fail("no control " + std::to_string(id));
    if (!control->IsShownOnScreen())
        return DriveResult::Fail("control " + std::to_string(id) + " is hidden");
    if (!control->IsEnabledForInput())
        return DriveResult::Fail("control " + std::to_string(id) + " is disabled");
    return {};
}

DriveResult CHeadlessFrontEnd::Click(int id)
{
    CWindow* control = nullptr;
    if (DriveResult reached = Reach(id, control); !reached)
        return reached;
    auto* button = dynamic_cast<CButton*>(control);
    if (!button)
        return DriveResult::Fail("control " + std::to_string(id) + " is not a button");
    button->SetFocus();
    button->Click();
    return {};
}

DriveResult CHeadlessFrontEnd::Check(int id)
{
    CWindow* control = nullptr;
    if (DriveResult reached = Reach(id, control); !reached)
        return reached;
    auto* button = dynamic_cast<CButton*>(control);
    if (!button || !(button->IsCheckBox() || button->IsRadio()))
        return DriveResult::Fail("control " + std::to_string(id) + " is no check box or radio button");
    // A radio button is clicked even when checked, as a user may; a check box only when
    // the click checks it.
    if (button->IsRadio() || !button->GetCheck()) {
        button->SetFocus();
        button->Click();
    }
    return {};
}

DriveResult CHeadlessFrontEnd::Uncheck(int id)
{
    CWindow* control = nullptr;
    if (DriveResult reached = Reach(id, control); !reached)
        return reached;
    auto* button = dynamic_cast<CButton*>(control);
    if (!button || !button->IsCheckBox())
        return DriveResult::Fail("control " + std::to_string(id) + " is no check box");
    if (button->GetCheck()) {
        button->SetFocus();
        button->Click();
    }
    return {};
}

DriveResult CHeadlessFrontEnd::Type(int id, const std::string& text)
{
    CWindow* control = nullptr;
    if (DriveResult reached = Reach(id, control); !reached)
        return reached;
    if (auto* edit = dynamic_cast<CEdit*>(control)) {
        if (edit->IsReadOnly())
            return DriveResult::Fail("control " + std::to_string(id) + " is read-only");
        edit->SetFocus();
        edit->UserType(text);
        return {};
    }
    if (auto* address = dynamic_cast<CIpAddressControl*>(control)) {
        address->SetFocus();
        if (!address->UserType(text))
            return DriveResult::Fail(Quote(text) + " is no a.b.c.d address");
        return {};
    }
    return DriveResult::Fail("control " + std::to_string(id) + " takes no typing");
}

DriveResult CHeadlessFrontEnd::Select(int id, int index)
{
    CWindow* control = nullptr;
    if (DriveResult reached = Reach(id, control); !reached)
        return reached;
    if (auto* combo = dynamic_cast<CComboBox*>(control)) {
        combo->SetFocus();
        if (!combo->UserSelect(index))
            return DriveResult::Fail("combo box " + std::to_string(id) + " has no item " + std::to_string(index));
        return {};
    }
    if (auto* list = dynamic_cast<CListView*>(control)) {
        if (!list->UserClickRow(index, 0))
            return DriveResult::Fail("list " + std::to_string(id) + " has no row " + std::to_string(index));
        return {};
    }
    return DriveResult::Fail("control " + std::to_string(id) + " is no combo box or list");
}

DriveResult CHeadlessFrontEnd::PressKey(int virtualKey)
{
    CDialog* page = FrontPage();
    if (!page)
        return DriveResult::Fail("no dialog is shown");
    CWindow* target = page;
    if (CWindow* focus = CWindow::GetFocus()) {
        for (CWindow* window = focus; window; window = window->Parent())
            if (window == page) {
                target = focus;
                break;
            }
    }
    CDialog::PressKey(target, virtualKey);
    return {};
}

DriveResult CHeadlessFrontEnd::Close()
{
    CDialog* dialog = FrontDialog();
    if (!dialog)
        return DriveResult::Fail("no dialog is shown");
    dialog->UserClose();
    return {};
}

bool CHeadlessFrontEnd::WaitForPage(int index, std::chrono::milliseconds limit)
{
    CMessageQueue& queue = CMessageQueue::Instance();
    Clock::time_point until = Clock::now() + limit;
    queue.RunPending();
    while (currentPage != index) {
        Clock::time_point now = Clock::now();
        if (now >= until)
            return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now);
        queue.WaitAndRunOne(std::min(left, kLoopPoll));
    }
    return true;
}

int CHeadlessFrontEnd::Pump()
{
    return CMessageQueue::Instance().RunPending();
}

void CHeadlessFrontEnd::AbandonAll()
{
    abandoned = true;
    for (CDialog* dialog : modalStack)
        dialog->EndDialog(IDCANCEL);
}

const char* CHeadlessFrontEnd::KindName(const CWindow& control)
{
    switch (control.Kind()) {
    case ControlKind::Static: return "static";
    case ControlKind::Bitmap: return "bitmap";
    case ControlKind::EtchedLine: return "line";
    case ControlKind::GroupBox: return "group";
    case ControlKind::PushButton: return "button";
    case ControlKind::DefaultPushButton: return "defbutton";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::LinkButton: return "link";
    case ControlKind::Edit: return "edit";
    case ControlKind::ComboBox: return "combo";
    case ControlKind::ListView: return "list";
    case ControlKind::IpAddress: return "ip";
    case ControlKind::Dialog: return "dialog";
    }
    return "window";
}

const char* CHeadlessFrontEnd::AnswerName(int answer)
{
    switch (answer) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDABORT: return "abort";
    case IDRETRY: return "retry";
    case IDIGNORE: return "ignore";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return "none";
    }
}

std::string CHeadlessFrontEnd::Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
                quoted += escaped;
            } else {
                quoted += static_cast<char>(c);
            }
        }
    }
    return quoted + "\"";
}

std::string CHeadlessFrontEnd::DescribeControl(const CWindow& control)
{
    std::string line = std::to_string(control.Id()) + " " + KindName(control) + " "
        + (control.IsWindowEnabled() ? "enabled" : "disabled") + " "
        + (control.IsWindowVisible() ? "visible" : "hidden") + " " + Quote(control.GetWindowText());
    if (auto* button = dynamic_cast<const CButton*>(&control)) {
        if (button->IsCheckBox() || button->IsRadio())
            line += button->GetCheck() ? " checked" : " unchecked";
    } else if (auto* combo = dynamic_cast<const CComboBox*>(&control)) {
        line += " items [";
        for (std::size_t i = 0; i < combo->Items().size(); ++i)
            line += (i ? " " : "") + Quote(combo->Items()[i].text);
        line += "] selected " + std::to_string(combo->GetCurSel());
    } else if (auto* list = dynamic_cast<const CListView*>(&control)) {
        line += " columns [";
        for (std::size_t i = 0; i < list->Columns().size(); ++i)
            line += (i ? " " : "") + Quote(list->Columns()[i].text);
        line += "] rows [";
        for (std::size_t r = 0; r < list->Rows().size(); ++r) {
            line += r ? " [" : "[";
            const auto& cells = list->Rows()[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c)
                line += (c ? " " : "") + Quote(cells[c]);
            line += "]";
        }
        line += "] selected " + std::to_string(list->SelectedRow()) + " focused "
            + std::to_string(list->FocusedRow());
    }
    return line;
}

std::vector<std::string> CHeadlessFrontEnd::DumpControls(const CWindow& dialog)
{
    std::vector<std::string> lines;
    for (const CWindow* child : dialog.Children())
        if (child->Kind() != ControlKind::Dialog)
            lines.push_back(DescribeControl(*child));
    return lines;
}

}
