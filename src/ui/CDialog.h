#pragma once

#include "ui/CWindow.h"
#include "ui/MessageBox.h"
#include "ui/WindowMessages.h"

namespace plintor {

struct DialogTemplate;

// A dialog built from a layout: modeless (Create, for pages inside a frame) or modal
// (DoModal, which runs a modal loop through the front end until EndDialog).
//
// Messages reach the dialog through WindowProc, which dispatches WM_COMMAND to OnCommand,
// WM_NOTIFY to OnNotify, WM_SHOWWINDOW to OnShowWindow, WM_CLOSE to OnClose and WM_HELP to
// OnHelp; private messages (WM_USER + n) go to OnMessage. Key presses start at the focused
// control: every dialog from the innermost outwards gets PreTranslateMessage, and a key
// nobody consumed gets the dialog manager's treatment (Escape: IDCANCEL; Enter: the focused
// push button or else the default button, else IDOK; F1: WM_HELP).
class CDialog : public CWindow {
public:
    CDialog();
    ~CDialog() override;

    const char* ClassName() const override { return "#32770"; }

    // Builds the dialog's window and controls from `layout`; a child dialog when
    // `parentWindow` is given and the layout says child, else top-level. Runs
    // OnInitDialog. False when the window exists already.
    bool Create(const DialogTemplate& layout, CWindow* parentWindow);
    // Runs the dialog modally with `ownerWindow`'s top-level disabled meanwhile; returns
    // the EndDialog result, or -1 when the window could not be made.
    int DoModal(const DialogTemplate& layout, CWindow* ownerWindow = nullptr);
    // Ends the modal loop with `result` (a modeless dialog is hidden); the first call
    // decides the result.
    void EndDialog(int result);
    bool IsModal() const { return modal; }
    bool ModalEnded() const { return ended; }   // EndDialog was called since Create
    int ModalResult() const { return result; }
    int TemplateId() const { return templateId; }

    // user: a key pressed while `target` (this dialog or one of its controls) has the
    // focus. Returns true when something took the key.
    static bool PressKey(CWindow* target, int virtualKey);
    // user: the title bar's close button or the system menu's Close.
    void UserClose() { SendMessage(WM_CLOSE); }

    std::intptr_t WindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The push button that Enter presses: the first default push button; null when none.
    CWindow* DefaultButton() const;

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnClose() { SendMessage(WM_COMMAND, MakeCommandParam(IDCANCEL, BN_CLICKED), 0); }
    // A WM_COMMAND; the default runs OnOK for IDOK and OnCancel for IDCANCEL. True: handled.
    virtual bool OnCommand(int controlId, int code);
    virtual bool OnNotify(const NotifyInfo&) { return false; }
    virtual void OnShowWindow(bool) {}
    virtual void OnHelp() {}
    virtual std::intptr_t OnMessage(unsigned, std::uintptr_t, std::intptr_t) { return 0; }
    // Called for a key-down aimed at this dialog or a window inside it; true consumes it.
    virtual bool PreTranslateMessage(unsigned, std::uintptr_t, CWindow*) { return false; }

private:
    static bool DefaultKeyHandling(CDialog& dialog, CWindow* target, int virtualKey);

    int templateId = 0;
    bool modal = false;
    bool ended = false;
    int result = 0;
};

}
