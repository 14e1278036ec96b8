#include "pages/CWLSettingTemplateDlg.h"

#include "core/StringTable.h"
#include "pages/WirelessKeyRules.h"
#include "resources/dialogs/WlSettingTemplateIds.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/RunState.h"

#include <string>

namespace plintor {

namespace {

// Security rows by stored value; an ad hoc network offers the first two only.
constexpr StringId kSecurityRows[] = {
    IDS_SECURITY_NOSECURITY, IDS_SECURITY_WEP, IDS_SECURITY_WPAPSKTKIP,
    IDS_SECURITY_WPAPSKAES, IDS_SECURITY_WPAPSKMIX,
};
constexpr int kAdHocSecurityRows = 2;
constexpr int kSecurityWep = 1;
constexpr int kKeySlots = 4;
constexpr const char* kKeyEditFace = "MS Shell Dlg";

bool IsWpa(int security)
{
    return security >= 2 && security <= 4;
}

void Enable(CWindow* window, bool enable)
{
    if (window)
        window->EnableWindow(enable);
}

}

CComboBox* CWLSettingTemplateDlg::SecurityBox() const
{
    return Item<CComboBox>(IDC_WL_SECURITY);
}

CComboBox* CWLSettingTemplateDlg::KeyIndexBox() const
{
    return Item<CComboBox>(IDC_WL_KEY_INDEX);
}

CEdit* CWLSettingTemplateDlg::KeyEdit() const
{
    return Item<CEdit>(IDC_WL_KEY);
}

bool CWLSettingTemplateDlg::IsAdHocChecked() const
{
    CButton* adHoc = Item<CButton>(IDC_WL_ADHOC);
    return adHoc && adHoc->GetCheck() == 1;
}

int CWLSettingTemplateDlg::SelectedSecurity() const
{
    CComboBox* box = SecurityBox();
    return box ? box->GetCurSel() : -1;
}

bool CWLSettingTemplateDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();

    SetItemText(IDC_PAGE_TITLE, IDS_WLSETTING_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_WLSETTING_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_WLSETTING_DLG_SIDE_MSG);
    SetItemText(IDC_WL_TYPE_GROUP, IDS_WLSETTING_DLG_NETWORK_TYPE);
    SetItemText(IDC_WL_INFRASTRUCTURE, IDS_WLSETTING_DLG_RADIO_INFRA);
    SetItemText(IDC_WL_ADHOC, IDS_WLSETTING_DLG_RADIO_ADHOC);
    SetItemText(IDC_WL_TYPE_HELP, IDS_WHATS_THIS);
    SetItemText(IDC_WL_SECURITY_GROUP, IDS_WLSETTING_DLG_SECURITY);
    SetItemText(IDC_WL_SECURITY_LABEL, IDS_WLSETTING_DLG_PROTOCOL_LABEL);
    SetItemText(IDC_WL_KEY_INDEX_LABEL, IDS_WLSETTING_DLG_INDEX_LABEL);
    SetItemText(IDC_WL_KEY_LABEL, IDS_WLSETTING_DLG_WEPKEY_LABEL);
    SetItemText(IDC_WL_SECURITY_HELP, IDS_WHATS_THIS);
    networkTypeHelp.Attach(*this, IDC_WL_TYPE_HELP);
    securityHelp.Attach(*this, IDC_WL_SECURITY_HELP);

    // The key edit keeps the dialog font under the face that shows the password mark.
    if (CEdit* key = KeyEdit()) {
        keyFont = GetFont();
        keyFont.face = kKeyEditFace;
        key->SetFont(keyFont);
    }

    if (RunState* app = App())
        ApplyBackButtonRule(app->backButtonFlag);
    return true;
}

void CWLSettingTemplateDlg::TakeWorkingCopy()
{
    if (RunState* app = App()) {
        PrinterEntry entry;
        if (app->printers.GetPrinter(app->selectedPrinter, entry))
            workingCopy = entry;
    }
}

void CWLSettingTemplateDlg::TakeKeyText()
{
    if (CEdit* key = KeyEdit())
        keyText = key->GetWindowText();
}

void CWLSettingTemplateDlg::ApplySecurityListRule()
{
    CComboBox* box = SecurityBox();
    if (!box)
        return;
    int remembered = box->GetCurSel();
    if (remembered < 0)
        remembered = 0;
    bool adHoc = IsAdHocChecked();
    int rows = adHoc ? kAdHocSecurityRows : static_cast<int>(std::size(kSecurityRows));
    box->ResetContent();
    for (int row = 0; row < rows; ++row)
        AddComboItem(box, kSecurityRows[row], row);
    if (adHoc && IsWpa(remembered))
        remembered = 0;
    box->SetCurSel(remembered);
    ApplyKeyAreaRule();
}

void CWLSettingTemplateDlg::ApplyKeyAreaRule()
{
    int security = SelectedSecurity();
    CEdit* key = KeyEdit();
    CWindow* keyLabel = GetDlgItem(IDC_WL_KEY_LABEL);
    CWindow* indexLabel = GetDlgItem(IDC_WL_KEY_INDEX_LABEL);
    CWindow* indexBox = KeyIndexBox();
    if (IsWpa(security)) {
        SetItemText(IDC_WL_KEY_LABEL, IDS_WLSETTING_DLG_PASSPHRASE_LABEL);
        if (key)
            key->SetLimitText(kPassphraseMaxChars);
        Enable(indexLabel, false);
        Enable(indexBox, false);
        Enable(keyLabel, true);
        Enable(key, true);
    } else if (security == kSecurityWep) {
        SetItemText(IDC_WL_KEY_LABEL, IDS_WLSETTING_DLG_WEPKEY_LABEL);
        if (key)
            key->SetLimitText(kWepKeyMaxChars);
        ApplyKeyIndexRule();
        Enable(indexLabel, true);
        Enable(indexBox, true);
        Enable(keyLabel, true);
        Enable(key, true);
    } else {
        SetItemText(IDC_WL_KEY_LABEL, IDS_WLSETTING_DLG_WEPKEY_LABEL);
        Enable(indexLabel, false);
        Enable(indexBox, false);
        Enable(keyLabel, false);
        Enable(key, false);
    }
}

void CWLSettingTemplateDlg::ApplyKeyIndexRule(ReadSelection read)
{
    CComboBox* box = KeyIndexBox();
    if (!box)
        return;
    if (read == ReadSelection::Yes && box->GetCurSel() >= 0)
        keyIndex = box->GetItemData(box->GetCurSel());
    bool adHoc = IsAdHocChecked();
    if (adHoc && keyIndex == 0)
        keyIndex = 1;
    box->ResetContent();
    if (!adHoc)
        AddComboItem(box, IDS_KEYINDEX_AUTO, 0);
    for (int slot = 1; slot <= kKeySlots; ++slot) {
        int index = box->AddString(std::to_string(slot));
        box->SetItemData(index, slot);
    }
    int found = box->FindItemData(keyIndex);
    box->SetCurSel(found >= 0 ? found : 0);
}

void CWLSettingTemplateDlg::Load()
{
    const WirelessSettings& wireless = workingCopy.wireless;
    bool adHoc = wireless.networkType != 0;
    if (CButton* infrastructure = Item<CButton>(IDC_WL_INFRASTRUCTURE))
        infrastructure->SetCheck(adHoc ? 0 : 1);
    if (CButton* adHocButton = Item<CButton>(IDC_WL_ADHOC))
        adHocButton->SetCheck(adHoc ? 1 : 0);
    ApplySecurityListRule();

    int security = static_cast<int>(wireless.security);
    if (security == kSecurityWep) {
        keyText = wireless.wepKey;
    } else if (IsWpa(security) && !adHoc) {
        keyText = wireless.passphrase;
    } else {
        // An ad hoc network has no WPA row; such settings show as no security.
        security = 0;
        keyText.clear();
    }
    if (CComboBox* box = SecurityBox())
        box->SetCurSel(security);

    keyIndex = static_cast<std::intptr_t>(wireless.transmitKey);
    ApplyKeyIndexRule(ReadSelection::No);
    ApplyKeyAreaRule();
    if (CEdit* key = KeyEdit())
        key->SetWindowText(keyText);
}

void CWLSettingTemplateDlg::Refuse(StringId textId, int focusId)
{
    ShowMessage(language, this, textId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    if (CWindow* control = GetDlgItem(focusId))
        control->SetFocus();
}

bool CWLSettingTemplateDlg::Validate()
{
    int security = SelectedSecurity();
    if (security == kSecurityWep && !IsValidWepKey(keyText)) {
        Refuse(MSG_ERR_INCORRECT_WEPKEY, IDC_WL_KEY);
        return false;
    }
    if (IsWpa(security) && !IsValidPassphrase(keyText)) {
        Refuse(MSG_ERR_INCORRECT_PASSPHRASE, IDC_WL_KEY);
        return false;
    }
    return true;
}

bool CWLSettingTemplateDlg::Store(int entryIndex)
{
    WirelessSettings& wireless = workingCopy.wireless;
    CButton* infrastructure = Item<CButton>(IDC_WL_INFRASTRUCTURE);
    wireless.networkType = infrastructure && infrastructure->GetCheck() == 1 ? 0 : 1;
    int security = SelectedSecurity();
    if (security == kSecurityWep) {
        CComboBox* indexBox = KeyIndexBox();
        if (!indexBox || indexBox->GetCurSel() < 0)
            return false;
        wireless.security = kSecurityWep;
        wireless.transmitKey = static_cast<std::uint32_t>(indexBox->GetItemData(indexBox->GetCurSel()));
        wireless.wepKey = keyText;
    } else if (IsWpa(security)) {
        wireless.security = static_cast<std::uint32_t>(security);
        wireless.passphrase = keyText;
    } else {
        wireless.security = 0;
    }
    RunState* app = App();
    if (app)
        app->printers.ReplacePrinter(entryIndex, workingCopy);
    return true;
}

void CWLSettingTemplateDlg::ValidateStoreAndMoveOn()
{
    if (!Validate())
        return;
    RunState* app = App();
    if (!Store(app ? app->selectedPrinter : -1))
        return;
    if (wizard)
        wizard->GoToPage(kPageIpSetting);
}

void CWLSettingTemplateDlg::ShowNetworkTypeGuide()
{
    std::string text = LoadText(language, IDS_GUIDE_INFRA_TEXT) + "\r\n\r\n" + LoadText(language, IDS_GUIDE_ADHOC_TEXT);
    ShowMessageText(language, this, text, IDS_WLSETTING_DLG_NETWORK_TYPE, MB_OK);
}

void CWLSettingTemplateDlg::ShowSecurityGuide()
{
    std::string text = LoadText(language, IDS_GUIDE_SECURITY_TEXT) + "\r\n\r\n" + LoadText(language, IDS_GUIDE_WEP_TEXT)
        + "\r\n\r\n" + LoadText(language, IDS_GUIDE_WPA_TEXT);
    ShowMessageText(language, this, text, IDS_WLSETTING_DLG_SECURITY, MB_OK);
}

bool CWLSettingTemplateDlg::OnCommand(int controlId, int code)
{
    switch (controlId) {
    case IDC_WL_INFRASTRUCTURE:
    case IDC_WL_ADHOC:
        if (code != BN_CLICKED)
            return false;
        ApplySecurityListRule();
        return true;
    case IDC_WL_SECURITY:
        if (code != CBN_SELCHANGE)
            return false;
        ApplyKeyAreaRule();
        return true;
    case IDC_WL_TYPE_HELP:
        if (code != BN_CLICKED)
            return false;
        ShowNetworkTypeGuide();
        return true;
    case IDC_WL_SECURITY_HELP:
        if (code != BN_CLICKED)
            return false;
        ShowSecurityGuide();
        return true;
    default:
        return CTemplateDlg::OnCommand(controlId, code);
    }
}

}
