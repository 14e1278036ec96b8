#include "pages/CWizardDlg.h"

namespace plintor {

CWizardDlg::CWizardDlg(RunState* application)
    : CWizardFrame(application)
{
    CTemplateDlg* pagesInOrder[kPageCount] = {
        &welcome, &selectMethod, &connect, &disconnect, &selectPrinter, &wirelessSetting,
        &ipSetting, &faxSetting, &checkFaxSetting, &confirmConfig, &complete, &selectAp,
        &enterApPwd, &fixedSsidWlSetting, &connectCom,
    };
    for (int i = 0; i < kPageCount; ++i)
        SetOwnPage(i, *pagesInOrder[i]);
}

}
