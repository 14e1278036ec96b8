#include "wizard/CWaitDlg.h"

#include "core/StringTable.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/WaitIds.h"
#include "ui/CMessageQueue.h"
#include "wizard/WizardBounds.h"

#include <atomic>

namespace plintor {

// Shared by the dialog and its worker. `dialog` is read and written on the main thread
// only; `done` is the worker's completion mark.
struct CWaitDlg::Completion {
    std::atomic<bool> done{false};
    CWaitDlg* dialog = nullptr;
};

CWaitDlg::CWaitDlg(CWindow* page, LangId pageLanguage)
    : CWaitDlg(page, pageLanguage, IDS_WAIT_MSG)
{
}

CWaitDlg::CWaitDlg(CWindow* page, LangId pageLanguage, StringId messageId)
    : ownerPage(page)
    , message(LoadText(pageLanguage, messageId))
    , language(pageLanguage)
    , completion(std::make_shared<Completion>())
{
    completion->dialog = this;
}

CWaitDlg::~CWaitDlg()
{
    completion->dialog = nullptr;
    thread.WaitForEnd(kWaitThreadEndLimit);
    DestroyWindow();
}

bool CWaitDlg::Run(Work work)
{
    if (completion->done.load() || thread.Started())
        return false;
    const DialogTemplate* layout = FindDialogTemplate(IDD_WAIT, language);
    if (!layout)
        layout = FindDialogTemplate(IDD_WAIT, LANG_ENGLISH_US);
    if (!layout)
        return false;

    std::shared_ptr<Completion> shared = completion;
    bool started = thread.Start([shared, work = std::move(work)] {
        if (work)
            work();
        shared->done.store(true);
        // The close is run by the main thread, which alone touches the dialog.
        CMessageQueue::Instance().Post([shared] {
            if (shared->dialog)
                shared->dialog->WorkDone();
        });
    });
    if (!started)
        return false;

    OnWorkerStarted();
    DoModal(*layout, ownerPage);
    thread.WaitForEnd(kWaitThreadEndLimit);
    return true;
}

void CWaitDlg::WorkDone()
{
    if (Exists() && IsModal())
        EndDialog(IDCANCEL);
}

bool CWaitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWindow* text = GetDlgItem(IDC_WAIT_MESSAGE))
        text->SetWindowText(message);
    // Work that finished before this window existed: its close found no window.
    if (completion->done.load())
        EndDialog(IDCANCEL);
    return true;
}

bool CWaitDlg::PreTranslateMessage(unsigned windowMessage, std::uintptr_t, CWindow*)
{
    // Escape, Enter, Alt+F4 and every other key do nothing while the work runs.
    return windowMessage == WM_KEYDOWN;
}

void CWaitDlg::OnCancel()
{
    if (completion->done.load())
        EndDialog(IDCANCEL);
}

void CWaitDlg::OnClose()
{
    // The title bar's close and the system menu's Close are ignored until the work is done.
    if (completion->done.load())
        EndDialog(IDCANCEL);
}

}
