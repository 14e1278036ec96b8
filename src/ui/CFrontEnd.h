#pragma once

#include "ui/MessageBox.h"

#include <string>

namespace plintor {

class CDialog;
class CWindow;

// The one interface between the window model and a front end (headless or desktop). The
// model calls it on the main thread, except WakeUp. A front end mirrors windows as peers,
// runs modal loops that keep the message queue running, and shows message boxes.
class CFrontEnd {
public:
    virtual ~CFrontEnd() = default;

    // A dialog's window and all its controls now exist (before its initialisation runs):
    // make the peer of the dialog and of every child in Children(). A child dialog (a page)
    // arrives with its Parent() already having a peer.
    virtual void CreatePeer(CDialog& dialog) = 0;
    // Properties of `window` changed (PeerChange bits); the peer follows.
    virtual void UpdatePeer(CWindow& window, unsigned changes) = 0;
    // `window` and everything under it are being destroyed (children that still exist
    // first get no call of their own).
    virtual void DestroyPeer(CWindow& window) = 0;

    // Runs a modal loop for `dialog` until dialog.ModalEnded(); while it runs, closures of
    // the message queue are run on this thread as they arrive.
    virtual void RunModalLoop(CDialog& dialog) = 0;
    // EndDialog was called for a dialog whose modal loop runs: let the loop return.
    virtual void EndModalLoop(CDialog& dialog) = 0;

    // Shows a message box and returns the button pressed (ID* values).
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;

    // Any thread: something was posted to the message queue.
    virtual void WakeUp() = 0;

    // A paged dialog (the wizard frame) now shows page `index` of class `className`.
    virtual void PageShown(CDialog& frame, int index, const std::string& className)
    {
        (void)frame; (void)index; (void)className;
    }
};

// Marks a front end's "the model is being mirrored" flag for a scope, restoring the outer
// value: notifications its widgets send meanwhile are not the user's input.
class ApplyingScope {
public:
    explicit ApplyingScope(bool& flag) : flag(flag), outer(flag) { flag = true; }
    ~ApplyingScope() { flag = outer; }
    ApplyingScope(const ApplyingScope&) = delete;
    ApplyingScope& operator=(const ApplyingScope&) = delete;

private:
    bool& flag;
    bool outer;
};

// Whether the user may close a top-level dialog from its title bar: one without push
// buttons (the wait popup) is closed by the program only.
bool UserMayClose(const CDialog& dialog);

// Installs `frontEnd` (null: none) for the run: the model talks to it, ShowMessageBox
// reaches it, the message queue wakes it and the calling thread becomes the main thread.
void SetFrontEnd(CFrontEnd* frontEnd);
CFrontEnd* GetFrontEnd();

}
