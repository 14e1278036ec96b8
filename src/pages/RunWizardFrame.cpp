#include "pages/RunWizardFrame.h"

#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/CFrontEnd.h"
#include "wizard/RunState.h"

namespace plintor {

bool RunWizardFrame(RunState& app, int startPage)
{
    CWizardDlg wizard(&app);
    const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, app.uiLanguage);
    if (frame)
        wizard.language = app.uiLanguage;
    wizard.currentPage = startPage;
    // Without a front end nobody could see or close the wizard.
    if (!frame || !GetFrontEnd())
        return false;
    wizard.DoModal(*frame, nullptr);
    return true;
}

}
