#include "pages/CFixedSSIDWLSettingDLG.h"

#include "platform/AnsiCodePage.h"
#include "resources/dialogs/FixedSsidWlSettingIds.h"

namespace plintor {

bool CFixedSSIDWLSettingDLG::OnInitDialog()
{
    CWLSettingTemplateDlg::OnInitDialog();
    SetItemText(IDC_WL_SSID_LABEL, IDS_FIXEDSSID_DLG_SSID_LABEL);
    return true;
}

void CFixedSSIDWLSettingDLG::OnShowWindow(bool show)
{
    if (!show)
        return;
    TakeWorkingCopy();
    if (CWindow* ssid = GetDlgItem(IDC_WL_FIXED_SSID))
        ssid->SetWindowText(platform::CAnsiCodePage::Readable(workingCopy.wireless.ssid));
    if (TakeRefreshBit())
        Load();
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->SetFocus();
}

void CFixedSSIDWLSettingDLG::OnNext()
{
    TakeKeyText();
    ValidateStoreAndMoveOn();
}

}
