#include "wizard/CSelectMethodDlg.h"

#include "resources/dialogs/SelectMethodIds.h"
#include "ui/CButton.h"
#include "wizard/CWizardFrame.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunState.h"

namespace plintor {

bool CSelectMethodDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_SELECTMETHOD_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_SELECTMETHOD_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_SELECTMETHOD_DLG_SIDE_MSG);
    SetItemText(IDC_METHOD_NETWORK, IDS_SELECTMETHOD_DLG_RADIO_YES);
    SetItemText(IDC_METHOD_USB, IDS_SELECTMETHOD_DLG_RADIO_NO);
    SetItemText(IDC_METHOD_NETWORK_TEXT, IDS_SELECTMETHOD_DLG_RADIO_NET_TEXT);
    SetItemText(IDC_METHOD_USB_TEXT, IDS_SELECTMETHOD_DLG_RADIO_USB_TEXT);
    if (auto* yes = Item<CButton>(IDC_METHOD_NETWORK))
        yes->SetCheck(1);
    if (wizard && wizard->app)
        ApplyBackButtonRule(wizard->app->backButtonFlag);
    return true;
}

void CSelectMethodDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    if (wizard && wizard->app)
        SetItemText(IDC_FLOW_TITLE, CWizardFrame::FlowTitleId(wizard->app->configureFlags));
    auto* yes = Item<CButton>(IDC_METHOD_NETWORK);
    auto* no = Item<CButton>(IDC_METHOD_USB);
    if (yes && yes->GetCheck() == 1)
        yes->SetFocus();
    else if (no && no->GetCheck() == 1)
        no->SetFocus();
}

void CSelectMethodDlg::OnNext()
{
    RunState* app = App();
    if (!app)
        return;
    wizard->pageRefreshMask = CWizardFrame::kAllPagesMask;
    auto* yes = Item<CButton>(IDC_METHOD_NETWORK);
    auto* no = Item<CButton>(IDC_METHOD_USB);
    if (yes && yes->GetCheck() == 1) {
        app->connectionMode = 2;
        wizard->GoToPage(kPageConnectCom);
        return;
    }
    if (!no || no->GetCheck() != 1)
        return;
    app->connectionMode = 1;
    // The search runs here, on the spot; the adapter count is not used on this page.
    int noAdapterCount = 0;
    const auto& discoverUsb = app->operations.discoverUsb;
    int found = discoverUsb ? discoverUsb(*app, noAdapterCount) : 0;
    if (found == 1)
        wizard->GoToPage(FirstSettingsPage(*app));
    else
        wizard->GoToPage(found <= 0 ? kPageConnect : kPageDisconnect);
}

}
