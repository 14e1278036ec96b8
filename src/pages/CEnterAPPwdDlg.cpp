#include "pages/CEnterAPPwdDlg.h"

#include "pages/WirelessKeyRules.h"
#include "platform/AnsiCodePage.h"
#include "resources/dialogs/EnterApPwdIds.h"
#include "ui/CEdit.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

constexpr std::uint32_t kSecurityWep = 1;
constexpr const char* kKeyEditFace = "MS Shell Dlg";

bool IsWpa(std::uint32_t security)
{
    return security >= 2 && security <= 4;
}

}

bool CEnterAPPwdDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_AP_PWD_SSID_LABEL, IDS_ENTERAPPWD_DLG_SSID_LABEL);
    if (CEdit* key = Item<CEdit>(IDC_AP_PWD_KEY)) {
        keyFont = GetFont();
        keyFont.face = kKeyEditFace;
        key->SetFont(keyFont);
    }
    return true;
}

void CEnterAPPwdDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    if (RunState* app = App()) {
        PrinterEntry entry;
        if (app->printers.GetPrinter(app->selectedPrinter, entry))
            wireless = entry.wireless;
    }
    CEdit* key = Item<CEdit>(IDC_AP_PWD_KEY);
    // The texts and the key of the security the access point uses: a WEP key or a
    // WPA passphrase.
    struct KeyForm {
        StringId title, sideTitle, sideMessage, label;
        const std::string& key;
        std::size_t limit;
    };
    auto showForm = [&](const KeyForm& form) {
        SetItemText(IDC_PAGE_TITLE, form.title);
        SetItemText(IDC_SIDE_TITLE, form.sideTitle);
        SetItemText(IDC_SIDE_MESSAGE, form.sideMessage);
        SetItemText(IDC_AP_PWD_KEY_LABEL, form.label);
        keyText = form.key;
        if (key) {
            key->SetLimitText(form.limit);
            key->SetWindowText(keyText);
        }
    };
    if (wireless.security == kSecurityWep)
        showForm({IDS_ENTERAPPWD_DLG_TITLE_WEP, IDS_ENTERAPPWD_DLG_SIDE_TITLE_WEP, IDS_ENTERAPPWD_DLG_SIDE_MSG_WEP,
              IDS_ENTERAPPWD_DLG_WEPKEY_LABEL, wireless.wepKey, kWepKeyMaxChars});
    else if (IsWpa(wireless.security))
        showForm({IDS_ENTERAPPWD_DLG_TITLE_PASSPHRASE, IDS_ENTERAPPWD_DLG_SIDE_TITLE_PASSPHRASE,
              IDS_ENTERAPPWD_DLG_SIDE_MSG_PASSPHRASE, IDS_ENTERAPPWD_DLG_PASSPHRASE_LABEL, wireless.passphrase,
              kPassphraseMaxChars});
    if (CWindow* ssid = GetDlgItem(IDC_AP_PWD_SSID))
        ssid->SetWindowText(platform::CAnsiCodePage::Readable(wireless.ssid));
    if (key)
        key->SetFocus();
}

void CEnterAPPwdDlg::Refuse(StringId textId)
{
    ShowMessage(language, this, textId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    if (CWindow* key = GetDlgItem(IDC_AP_PWD_KEY))
        key->SetFocus();
}

void CEnterAPPwdDlg::OnNext()
{
    if (CWindow* key = GetDlgItem(IDC_AP_PWD_KEY))
        keyText = key->GetWindowText();
    if (wireless.security == kSecurityWep) {
        if (!IsValidWepKey(keyText)) {
            Refuse(MSG_ERR_ENTERAPPWD_INCORRECT_WEPKEY);
            return;
        }
        wireless.wepKey = keyText;
    } else if (IsWpa(wireless.security)) {
        if (!IsValidPassphrase(keyText)) {
            Refuse(MSG_ERR_ENTERAPPWD_INCORRECT_PASSPHRASE);
            return;
        }
        wireless.passphrase = keyText;
    }
    if (RunState* app = App()) {
        PrinterEntry entry;
        if (app->printers.GetPrinter(app->selectedPrinter, entry)) {
            entry.wireless = wireless;
            app->printers.ReplacePrinter(app->selectedPrinter, entry);
        }
    }
    if (wizard)
        wizard->GoToPage(kPageIpSetting);
}

}
