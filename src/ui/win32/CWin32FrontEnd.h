#pragma once

#include "ui/CFrontEnd.h"
#include "ui/win32/NativeWindows.h"

#include <unordered_map>

namespace plintor {
class CWindow;
}

namespace plintor::win32 {

// The Windows desktop front end: every dialog of the model becomes a dialog of the system's
// dialog manager, made from a template written from the model's own controls (their kinds,
// ids, places in dialog units, texts and styles), and each model control is paired with the
// window the template made for it. The windows follow the model whenever UpdatePeer says
// what changed; what the user does to them becomes the model's "user" operations (Click,
// UserType, UserSelect, UserClickRow, UserSetFocus, UserClose, PressKey), after which the
// window is set back from the model, which stays the truth.
//
// Modal loops are nested message loops on the main thread with the dialog manager's
// keyboard handling (Tab order, arrow keys in radio groups, mnemonics); Enter, Escape and
// F1 go to the model first. The model's message queue is drained from a hidden window that
// WakeUp posts to, so it keeps running inside every loop, message boxes included.
class CWin32FrontEnd : public CFrontEnd, private CNativeEvents {
public:
    CWin32FrontEnd() = default;
    ~CWin32FrontEnd() override;
    CWin32FrontEnd(const CWin32FrontEnd&) = delete;
    CWin32FrontEnd& operator=(const CWin32FrontEnd&) = delete;

    // Registers the control classes and makes the hidden window; false when this thread
    // cannot make windows (no display). Call before installing the front end.
    bool Start();

    void CreatePeer(CDialog& dialog) override;
    void UpdatePeer(CWindow& window, unsigned changes) override;
    void DestroyPeer(CWindow& window) override;
    void RunModalLoop(CDialog& dialog) override;
    void EndModalLoop(CDialog& dialog) override;
    int ShowMessageBox(const MessageBoxRequest& request) override;
    void WakeUp() override;

    // The system window that mirrors `window`; null when it has none.
    static NativeWindow NativeOf(const CWindow& window);
    // The model window that `native` (or its nearest mirrored ancestor) mirrors.
    CWindow* WindowOf(NativeWindow native) const;

private:
    struct Peer;

    void Apply(Peer& peer, unsigned changes);
    void ApplyItems(Peer& peer);
    void ApplySelection(CWindow& window);
    void ApplyChecked(CWindow& window);
    void ApplyAll(CWindow& window, unsigned changes);
    void Forget(CWindow& window);
    Peer* PeerOf(NativeWindow native) const;

    void Clicked(NativeWindow button) override;
    void TextEdited(NativeWindow edit, const std::string& text) override;
    void AddressEdited(NativeWindow address, const std::array<int, 4>& fields) override;
    void ItemChosen(NativeWindow comboBox, int index) override;
    void RowClicked(NativeWindow list, int row, int column) override;
    void RowMovedTo(NativeWindow list, int row) override;
    void FocusMoved(NativeWindow window) override;
    void CloseAsked(NativeWindow dialog) override;
    bool KeyPressed(NativeWindow window, int virtualKey) override;
    void DpiChanged(NativeWindow dialog) override;
    void Wake() override;

    std::unordered_map<NativeWindow, Peer*> peers;
    bool started = false;
    bool applying = false;   // the model is being mirrored: window notifications are not input
};

}
