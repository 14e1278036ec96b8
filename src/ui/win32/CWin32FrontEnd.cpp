#include "ui/win32/CWin32FrontEnd.h"

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/WindowMessages.h"


namespace plintor::win32 {

struct CWin32FrontEnd::Peer {
    CWindow* window = nullptr;
    NativeWindow native = nullptr;
    NativeWindow unitsOf = nullptr;   // the dialog whose units place this window
    bool topLevel = false;
    bool closable = true;             // a top-level window without buttons is closed by the program only
};

namespace {

// The dialog's template written from its model: the controls it holds now, in order.
DialogTemplate LayoutOf(const CDialog& dialog)
{
    DialogTemplate layout;
    layout.id = dialog.Id();
    layout.cx = dialog.GetRect().cx;
    layout.cy = dialog.GetRect().cy;
    layout.caption = dialog.GetWindowText();
    layout.fontFace = dialog.GetFont().face;
    layout.fontPoints = dialog.GetFont().height;
    layout.child = dialog.Parent() != nullptr;
    for (const CWindow* child : dialog.Children()) {
        if (child->Kind() == ControlKind::Dialog)
            continue;
        ControlTemplate control;
        control.id = child->Id();
        control.kind = child->Kind();
        const WindowRect& rect = child->GetRect();
        control.x = rect.x;
        control.y = rect.y;
        control.cx = rect.cx;
        control.cy = rect.cy;
        if (child->Kind() != ControlKind::IpAddress)
            control.text = child->GetWindowText();
        control.style = child->Style();
        control.bitmapId = child->BitmapId();
        if (const auto* edit = dynamic_cast<const CEdit*>(child))
            control.limit = static_cast<int>(edit->LimitText());
        layout.controls.push_back(control);
    }
    return layout;
}

std::string Dotted(const std::array<int, 4>& fields)
{
    std::string dotted;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            dotted += '.';
        if (fields[i] >= 0)
            dotted += std::to_string(fields[i]);
    }
    return dotted;
}

}

CWin32FrontEnd::~CWin32FrontEnd()
{
    for (auto& [native, peer] : peers) {
        peer->window->peer = nullptr;
        delete peer;
    }
    if (started)
        StopNativeWindows();
}

bool CWin32FrontEnd::Start()
{
    if (!started)
        started = StartNativeWindows(this);
    return started;
}

NativeWindow CWin32FrontEnd::NativeOf(const CWindow& window)
{
    return window.peer ? static_cast<Peer*>(window.peer)->native : nullptr;
}

CWin32FrontEnd::Peer* CWin32FrontEnd::PeerOf(NativeWindow native) const
{
    NativeWindow mirrored = NativeAncestorIn(native, [this](NativeWindow w) { return peers.count(w) != 0; });
    return mirrored ? peers.at(mirrored) : nullptr;
}

CWindow* CWin32FrontEnd::WindowOf(NativeWindow native) const
{
    Peer* peer = PeerOf(native);
    return peer ? peer->window : nullptr;
}

void CWin32FrontEnd::CreatePeer(CDialog& dialog)
{
    if (dialog.peer)
        return;
    ApplyingScope scope(applying);
    CWindow* parent = dialog.Parent();
    NativeWindow parentNative = parent ? NativeOf(*parent)
                                : dialog.Owner() ? NativeOf(*dialog.Owner()->TopLevel()) : nullptr;
    std::vector<NativeWindow> controls;
    const DialogTemplate layout = LayoutOf(dialog);
    NativeWindow native = CreateNativeDialog(layout, parentNative, controls);
    if (!native)
        return;   // the model runs on without windows

    auto* peer = new Peer;
    peer->window = &dialog;
    peer->native = native;
    peer->topLevel = parent == nullptr;
    peer->unitsOf = parent && parentNative ? parentNative : native;
    if (peer->topLevel) {
        peer->closable = UserMayClose(dialog);
        if (!peer->closable)
            RemoveCloseCommand(native);
    }
    dialog.peer = peer;
    peers[native] = peer;

    std::size_t index = 0;
    for (CWindow* child : dialog.Children()) {
        if (child->Kind() == ControlKind::Dialog || index >= controls.size())
            continue;
        auto* control = new Peer;
        control->window = child;
        control->native = controls[index++];
        control->unitsOf = native;
        child->peer = control;
        peers[control->native] = control;
        // The template gave every control the dialog's font already.
        unsigned changes = ~0u & ~static_cast<unsigned>(PeerFocus | PeerFont);
        if (child->GetFont() != dialog.GetFont())
            changes |= PeerFont;
        Apply(*control, changes);
    }
    Apply(*peer, ~0u & ~static_cast<unsigned>(PeerFocus | PeerFont));
}

void CWin32FrontEnd::UpdatePeer(CWindow& window, unsigned changes)
{
    if (window.peer)
        Apply(*static_cast<Peer*>(window.peer), changes);
}

void CWin32FrontEnd::Apply(Peer& peer, unsigned changes)
{
    ApplyingScope scope(applying);
    CWindow& window = *peer.window;
    NativeWindow native = peer.native;
    const ControlKind kind = window.Kind();
    if ((changes & PeerFont) && kind != ControlKind::Dialog) {
        const FontDesc& font = window.GetFont();
        SetNativeFont(native, font.face, font.height, font.weight, font.underline);
    }
    if (changes & PeerGeometry) {
        const WindowRect& rect = window.GetRect();
        SetNativeGeometry(native, {rect.x, rect.y, rect.cx, rect.cy}, peer.unitsOf, peer.topLevel);
    }
    if (changes & PeerText) {
        if (auto* address = dynamic_cast<CIpAddressControl*>(&window))
            SetNativeAddress(native, address->Fields());
        else
            SetNativeText(native, kind, window.GetWindowText());
    }
    if (changes & PeerColours)
        SetNativeColours(native, window.TextColour(), window.BackgroundColour(), window.TransparentBackground());
    if ((changes & (PeerImage | PeerGeometry)) && (kind == ControlKind::Bitmap || peer.topLevel))
        SetNativePicture(native, kind, window.BitmapId());
    if (changes & PeerItems)
        ApplyItems(peer);
    if (changes & (PeerSelection | PeerItems))
        ApplySelection(window);
    if (changes & PeerChecked)
        ApplyChecked(window);
    if (changes & PeerLimit)
        if (auto* edit = dynamic_cast<CEdit*>(&window))
            SetNativeLimit(native, edit->LimitText());
    if (changes & PeerEnabled)
        SetNativeEnabled(native, window.IsWindowEnabled());
    if (changes & PeerVisible)
        SetNativeVisible(native, window.IsWindowVisible());
    if ((changes & PeerFocus) && CWindow::GetFocus() == &window)
        SetNativeFocus(native, kind);
}

void CWin32FrontEnd::ApplyItems(Peer& peer)
{
    CWindow& window = *peer.window;
    if (auto* model = dynamic_cast<CComboBox*>(&window)) {
        std::vector<std::string> items;
        for (const CComboBox::Item& item : model->Items())
            items.push_back(item.text);
        SetNativeComboItems(peer.native, items);
        return;
    }
    if (auto* model = dynamic_cast<CListView*>(&window)) {
        std::vector<NativeColumn> columns;
        for (const CListView::Column& column : model->Columns())
            columns.push_back({column.text, column.width});
        std::vector<std::vector<std::string>> rows;
        for (const CListView::Row& row : model->Rows())
            rows.push_back(row.cells);
        SetNativeListItems(peer.native, columns, rows);
        return;
    }
    if (auto* model = dynamic_cast<CIpAddressControl*>(&window))
        SetNativeAddress(peer.native, model->Fields());
}

void CWin32FrontEnd::ApplySelection(CWindow& window)
{
    NativeWindow native = NativeOf(window);
    if (!native)
        return;
    ApplyingScope scope(applying);
    if (auto* model = dynamic_cast<CComboBox*>(&window))
        SetNativeComboSelection(native, model->GetCurSel());
    else if (auto* model = dynamic_cast<CListView*>(&window))
        SetNativeListSelection(native, model->SelectedRow(), model->FocusedRow());
}

void CWin32FrontEnd::ApplyChecked(CWindow& window)
{
    auto* model = dynamic_cast<CButton*>(&window);
    NativeWindow native = NativeOf(window);
    if (!model || !native || !(model->IsRadio() || model->IsCheckBox()))
        return;
    ApplyingScope scope(applying);
    SetNativeChecked(native, model->GetCheck() != 0);
}

void CWin32FrontEnd::ApplyAll(CWindow& window, unsigned changes)
{
    if (window.peer)
        Apply(*static_cast<Peer*>(window.peer), changes);
    for (CWindow* child : window.Children())
        ApplyAll(*child, changes);
}

void CWin32FrontEnd::Forget(CWindow& window)
{
    for (CWindow* child : window.Children())
        Forget(*child);
    auto* peer = static_cast<Peer*>(window.peer);
    if (!peer)
        return;
    peers.erase(peer->native);
    window.peer = nullptr;
    delete peer;
}

void CWin32FrontEnd::DestroyPeer(CWindow& window)
{
    NativeWindow native = NativeOf(window);
    if (!native)
        return;
    Forget(window);
    ApplyingScope scope(applying);
    DestroyNativeWindow(native);
}

void CWin32FrontEnd::RunModalLoop(CDialog& dialog)
{
    if (!dialog.peer) {
        // The system refused the dialog's window: nobody could see or end it.
        dialog.EndDialog(IDCANCEL);
        return;
    }
    const WindowHandle handle = dialog.Handle();
    CMessageQueue::Instance().RunPending();
    RunNativeLoop([handle] {
        auto* window = dynamic_cast<CDialog*>(CWindow::FromHandle(handle));
        return !window || window->ModalEnded();
    });
}

void CWin32FrontEnd::EndModalLoop(CDialog&)
{
    // The loop looks at its dialog after every message; this one makes sure one comes.
    WakeNativeLoop();
}

int CWin32FrontEnd::ShowMessageBox(const MessageBoxRequest& request)
{
    NativeWindow owner = request.owner ? NativeOf(*request.owner->TopLevel()) : nullptr;
    return ShowNativeMessageBox(owner, request.text, request.caption, request.style, request.language);
}

void CWin32FrontEnd::WakeUp()
{
    WakeNativeLoop();
}

void CWin32FrontEnd::Wake()
{
    CMessageQueue::Instance().RunPending();
}

// Every handler looks its window up again from the system window: input may arrive after
// the model has moved on.

void CWin32FrontEnd::Clicked(NativeWindow button)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CButton*>(WindowOf(button));
    if (!model)
        return;
    const WindowHandle handle = model->Handle();
    model->Click();
    // The model decides the check state: the window is set back from it.
    if (CWindow* window = CWindow::FromHandle(handle))
        ApplyChecked(*window);
}

void CWin32FrontEnd::TextEdited(NativeWindow edit, const std::string& text)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CEdit*>(WindowOf(edit));
    if (!model)
        return;
    const WindowHandle handle = model->Handle();
    model->UserType(text);
    if (CWindow* window = CWindow::FromHandle(handle); window && window->peer && window->GetWindowText() != text) {
        ApplyingScope scope(applying);
        SetNativeText(NativeOf(*window), ControlKind::Edit, window->GetWindowText());
    }
}

void CWin32FrontEnd::AddressEdited(NativeWindow address, const std::array<int, 4>& fields)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CIpAddressControl*>(WindowOf(address));
    if (!model)
        return;
    const WindowHandle handle = model->Handle();
    model->UserType(Dotted(fields));
    if (auto* window = dynamic_cast<CIpAddressControl*>(CWindow::FromHandle(handle)); window && window->peer) {
        ApplyingScope scope(applying);
        SetNativeAddress(NativeOf(*window), window->Fields());
    }
}

void CWin32FrontEnd::ItemChosen(NativeWindow comboBox, int index)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CComboBox*>(WindowOf(comboBox));
    if (!model)
        return;
    const WindowHandle handle = model->Handle();
    model->UserSelect(index);
    if (CWindow* window = CWindow::FromHandle(handle))
        ApplySelection(*window);
}

void CWin32FrontEnd::RowClicked(NativeWindow list, int row, int column)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CListView*>(WindowOf(list));
    if (!model)
        return;
    const WindowHandle handle = model->Handle();
    model->UserClickRow(row, column);
    if (CWindow* window = CWindow::FromHandle(handle))
        ApplySelection(*window);
}

void CWin32FrontEnd::RowMovedTo(NativeWindow list, int row)
{
    if (applying)
        return;
    auto* model = dynamic_cast<CListView*>(WindowOf(list));
    if (!model || !model->IsEnabledForInput())
        return;
    const WindowHandle handle = model->Handle();
    model->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (CWindow* window = CWindow::FromHandle(handle))
        ApplySelection(*window);
}

void CWin32FrontEnd::FocusMoved(NativeWindow native)
{
    if (applying)
        return;
    CWindow* window = WindowOf(native);
    if (window && window->Kind() != ControlKind::Dialog && CWindow::GetFocus() != window)
        window->UserSetFocus();
}

void CWin32FrontEnd::CloseAsked(NativeWindow native)
{
    if (applying)
        return;
    Peer* peer = PeerOf(native);
    if (!peer || peer->native != native || !peer->closable)
        return;
    if (auto* dialog = dynamic_cast<CDialog*>(peer->window))
        dialog->UserClose();
}

bool CWin32FrontEnd::KeyPressed(NativeWindow native, int virtualKey)
{
    if (applying)
        return false;
    CWindow* target = WindowOf(native);
    if (!target)
        return false;
    if (CWindow* focused = CWindow::GetFocus(); focused && focused->TopLevel() == target->TopLevel())
        target = focused;
    return CDialog::PressKey(target, virtualKey);
}

void CWin32FrontEnd::DpiChanged(NativeWindow dialog)
{
    // The list views' items too: their columns' widths are pixels at the window's DPI.
    if (CWindow* window = WindowOf(dialog))
        ApplyAll(*window, PeerGeometry | PeerFont | PeerImage | PeerItems);
}

}
