#include "wizard/CWelcomDlg.h"

#include "core/ConfigureFlags.h"
#include "resources/dialogs/WelcomeIds.h"
#include "ui/CButton.h"
#include "wizard/CWizardFrame.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

void Withdraw(CWindow* control)
{
    if (!control)
        return;
    control->ShowWindow(false);
    control->EnableWindow(false);
}

bool IsChecked(const CWindow& page, int id)
{
    auto* radio = page.Item<CButton>(id);
    return radio && radio->GetCheck() == 1;
}

}

bool CWelcomDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_WELCOM_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_WELCOM_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_WELCOM_DLG_SIDE_MSG);
    SetItemText(IDC_WELCOME_IP, IDS_WELCOM_DLG_RADIO_IP);
    SetItemText(IDC_WELCOME_IP_TEXT, IDS_WELCOM_DLG_IP_TEXT);
    SetItemText(IDC_WELCOME_WIRELESS, IDS_WELCOM_DLG_RADIO_WIRELESS);
    SetItemText(IDC_WELCOME_WIRELESS_TEXT, IDS_WELCOM_DLG_WIRELESS_TEXT);
    SetItemText(IDC_WELCOME_FAX, IDS_WELCOM_DLG_RADIO_FAX);
    SetItemText(IDC_WELCOME_FAX_TEXT, IDS_WELCOM_DLG_FAX_TEXT);

    const RunState* app = App();
    std::uint32_t features = app ? app->config.features : 0;
    if (!(features & FeatureFax)) {
        Withdraw(GetDlgItem(IDC_WELCOME_FAX));
        Withdraw(GetDlgItem(IDC_WELCOME_FAX_TEXT));
    }
    if (!(features & FeatureWireless)) {
        Withdraw(GetDlgItem(IDC_WELCOME_WIRELESS));
        Withdraw(GetDlgItem(IDC_WELCOME_WIRELESS_TEXT));
    }
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->EnableWindow(false);
    return true;
}

void CWelcomDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    if (CWindow* cancel = GetDlgItem(IDC_CANCEL))
        cancel->SetFocus();
}

bool CWelcomDlg::OnCommand(int controlId, int code)
{
    if (code == BN_CLICKED
        && (controlId == IDC_WELCOME_IP || controlId == IDC_WELCOME_WIRELESS || controlId == IDC_WELCOME_FAX)) {
        if (IsChecked(*this, controlId))
            if (CWindow* next = GetDlgItem(IDC_NEXT))
                next->EnableWindow(true);
        return true;
    }
    return CTemplateDlg::OnCommand(controlId, code);
}

void CWelcomDlg::OnNext()
{
    RunState* app = App();
    if (!app)
        return;
    std::uint32_t flags = 0;
    if (IsChecked(*this, IDC_WELCOME_IP))
        flags = kConfigureIp;
    else if (IsChecked(*this, IDC_WELCOME_WIRELESS))
        flags = kConfigureWireless;
    else if (IsChecked(*this, IDC_WELCOME_FAX))
        flags = kConfigureFax;
    if (app->config.HasFeature(FeaturePanel))
        flags |= kConfigurePanelLanguage;
    app->configureFlags = flags;
    wizard->GoToPage(kPageSelectMethod);
}

}
