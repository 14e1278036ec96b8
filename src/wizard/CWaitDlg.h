#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"
#include "ui/CDialog.h"
#include "wizard/CWorkerThread.h"

#include <functional>
#include <memory>
#include <string>

namespace plintor {

// The "please wait" popup (template 137) that is shown modally over a page while slow
// work runs on a worker thread: the printer search of the selection page. It has no
// buttons and cannot be dismissed: every key is swallowed and a close from the title bar
// is ignored. It closes itself when the work is done.
//
// Completion: the worker sets a completion mark when its work is done and then posts the
// close to the main thread. The close runs on the main thread, so it finds the dialog's
// window whenever that window exists; and the dialog looks at the mark when its window is
// made, so that work finished before the window existed closes it at once. Between the
// two no ordering of the threads can leave the modal loop waiting for a close that never
// comes.
class CWaitDlg : public CDialog {
public:
    using Work = std::function<void()>;

    // `ownerPage` is the page the work fills; `message` is loaded in `language`.
    CWaitDlg(CWindow* ownerPage, LangId language);
    ~CWaitDlg() override;
    const char* ClassName() const override { return "CWaitDlg"; }

    // Runs `work` on the worker thread while the dialog is shown modally over the page;
    // returns after the work is done and the thread has ended (or the end wait ran out,
    // kWaitThreadEndLimit). False when the thread could not be made: nothing is shown
    // and the work is not done. One object serves one wait.
    bool Run(Work work);

    // Members, in this order.
    CWorkerThread thread;
    CWindow* ownerPage = nullptr;
    std::string message;

protected:
    CWaitDlg(CWindow* ownerPage, LangId language, StringId messageId);
    bool OnInitDialog() override;
    // Called on the main thread after the worker has started, before the dialog's window
    // is made (the window model's own hook for whatever runs in between).
    virtual void OnWorkerStarted() {}
    bool PreTranslateMessage(unsigned message, std::uintptr_t wParam, CWindow* target) override;
    void OnOK() override {}
    void OnCancel() override;
    void OnClose() override;

private:
    struct Completion;
    void WorkDone();

    LangId language = LANG_ENGLISH_US;
    std::shared_ptr<Completion> completion;
};

}
