#include "pages/CFAXSettingDlg.h"

#include "wizard/CWizardFrame.h"
#include "wizard/PageIndex.h"
#include "wizard/RunState.h"

namespace plintor {

StringId CFAXSettingDlg::SideMessageId() const
{
    return IDS_FAXSETTING_DLG_SIDE_MSG;
}

void CFAXSettingDlg::OnNext()
{
    RunState* app = App();
    if (!app || !wizard)
        return;
    TakeControlValues();
    if (!Validate())
        return;
    // A list without a selection (a configuration that offers none of its codes) stores
    // nothing; the run still goes on to the summary.
    StoreValues(app->selectedPrinter);
    wizard->GoToPage(kPageConfirmConfig);
}

}
