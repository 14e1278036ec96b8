#include "wizard/CConnectComDlg.h"

#include "resources/dialogs/ConnectComIds.h"
#include "wizard/CWizardFrame.h"
#include "wizard/RunState.h"

namespace plintor {

bool CConnectComDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_CONNECT_COM_TITLE, IDS_CONNECTCOM_DLG_TITLE);
    SetItemText(IDC_CONNECT_COM_MESSAGE, IDS_CONNECTCOM_DLG_TEXT);
    return true;
}

void CConnectComDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    if (wizard && wizard->app)
        ApplyBackButtonRule(wizard->app->backButtonFlag);
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->SetFocus();
}

void CConnectComDlg::OnNext()
{
    if (!wizard)
        return;
    wizard->pageRefreshMask = CWizardFrame::kAllPagesMask;
    wizard->GoToPage(kPageSelectPrinter);
}

}
