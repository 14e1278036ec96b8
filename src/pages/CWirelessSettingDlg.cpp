#include "pages/CWirelessSettingDlg.h"

#include "pages/WirelessKeyRules.h"
#include "resources/dialogs/WirelessSettingIds.h"
#include "settings/SettingsChannels.h"
#include "ui/CEdit.h"
#include "wizard/RunContexts.h"

namespace plintor {

bool CWirelessSettingDlg::OnInitDialog()
{
    CWLSettingTemplateDlg::OnInitDialog();
    SetItemText(IDC_WL_SSID_LABEL, IDS_WLSETTING_DLG_SSID_LABEL);
    SetItemText(IDC_WL_SSID_HELP, IDS_WHATS_THIS);
    ssidHelp.Attach(*this, IDC_WL_SSID_HELP);
    if (CEdit* ssid = Item<CEdit>(IDC_WL_SSID))
        ssid->SetLimitText(kSsidMaxChars);
    return true;
}

void CWirelessSettingDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    TakeWorkingCopy();
    if (TakeRefreshBit()) {
        Load();
        ssidText = platform::CAnsiCodePage::Readable(workingCopy.wireless.ssid);
        if (CWindow* ssid = GetDlgItem(IDC_WL_SSID))
            ssid->SetWindowText(ssidText);
    }
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->SetFocus();
}

bool CWirelessSettingDlg::OnCommand(int controlId, int code)
{
    if (controlId == IDC_WL_SSID_HELP && code == BN_CLICKED) {
        ShowGuide(IDS_GUIDE_SSID_TEXT, IDS_GUIDE_SSID_TITLE);
        return true;
    }
    return CWLSettingTemplateDlg::OnCommand(controlId, code);
}

void CWirelessSettingDlg::OnNext()
{
    if (CWindow* ssid = GetDlgItem(IDC_WL_SSID))
        ssidText = ssid->GetWindowText();
    TakeKeyText();
    RunState* app = App();
    if (!app)
        return;
    // A stored name shown unchanged goes back as stored, with any bytes that the edit
    // shows as U+FFFD.
    const std::string& stored = workingCopy.wireless.ssid;
    std::string ssid = ssidText == platform::CAnsiCodePage::Readable(stored) ? stored : ssidText;
    SsidVerdict verdict = CheckSsid(ssid, WireCodePage(SettingsContextOf(*app)));
    if (verdict != SsidVerdict::Accepted) {
        Refuse(SsidRefusal(verdict), IDC_WL_SSID);
        return;
    }
    workingCopy.wireless.ssid = ssid;
    ValidateStoreAndMoveOn();
}

}
