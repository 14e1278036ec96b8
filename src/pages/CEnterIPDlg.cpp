#include "pages/CEnterIPDlg.h"

#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/EnterIpIds.h"
#include "ui/CEdit.h"
#include "wizard/Messages.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunState.h"

namespace plintor {

CEnterIPDlg::CEnterIPDlg(RunState* application, LangId dialogLanguage)
    : language(dialogLanguage)
    , app(application)
{
}

int CEnterIPDlg::Run(CWindow* owner)
{
    const DialogTemplate* layout = FindDialogTemplate(IDD_ENTER_IP, language);
    if (!layout)
        layout = FindDialogTemplate(IDD_ENTER_IP, LANG_ENGLISH_US);
    if (!layout)
        return IDCANCEL;
    return DoModal(*layout, owner);
}

bool CEnterIPDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadText(language, IDS_ENTERIP_DLG_TITLE));
    if (CWindow* prompt = GetDlgItem(IDC_ENTER_IP_PROMPT))
        prompt->SetWindowText(LoadText(language, IDS_ENTERIP_DLG_TEXT));
    if (CWindow* label = GetDlgItem(IDC_ENTER_IP_LABEL))
        label->SetWindowText(LoadText(language, IDS_ENTERIP_DLG_ADDRESS_LABEL));
    if (CWindow* ok = GetDlgItem(IDC_ENTER_IP_OK))
        ok->SetWindowText(LoadText(language, IDS_OK_BUTTON));
    if (CWindow* cancel = GetDlgItem(IDC_ENTER_IP_CANCEL))
        cancel->SetWindowText(LoadText(language, IDS_CANCEL_BUTTON));
    if (auto* edit = Item<CEdit>(IDC_ENTER_IP_EDIT)) {
        edit->SetLimitText(ENTER_IP_MAX_CHARS);
        edit->SetFocus();
    }
    return true;
}

void CEnterIPDlg::Refuse(StringId messageId)
{
    ShowMessage(language, this, messageId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    if (CWindow* edit = GetDlgItem(IDC_ENTER_IP_EDIT))
        edit->SetFocus();
}

void CEnterIPDlg::OnOK()
{
    CWindow* edit = GetDlgItem(IDC_ENTER_IP_EDIT);
    std::string typed = edit ? edit->GetWindowText() : std::string();

    // 1. A usable address; nothing goes to the network before this passes.
    const PrinterOperations* services = app ? &app->operations : nullptr;
    if (typed.empty() || typed == "0.0.0.0" || typed == "255.255.255.255" || !app
        || !services->validateTypedAddress || services->validateTypedAddress(typed) != 1) {
        Refuse(MSG_ERR_INCORRECT_IP_ADDRESS);
        return;
    }
    // 2. The local queues that print to it are set aside.
    if (services->disableBidi)
        services->disableBidi(*app, typed);
    // 3. A supported printer answers there.
    int support = services->checkTypedAddress ? services->checkTypedAddress(*app, typed) : 3;
    if (support == 2) {
        Refuse(MSG_ERR_NOT_CONNECT_WLMODULE);
        return;
    }
    if (support != 0) {
        Refuse(MSG_ERR_NOT_SUPPORTED_PRINTER);
        return;
    }
    // 4. Its MAC address.
    std::string mac;
    if (!services->getTypedAddressMac || services->getTypedAddressMac(typed, mac) != 1) {
        Refuse(MSG_ERR_INCORRECT_IP_ADDRESS);
        return;
    }
    macAddress = mac;
    // 5. Its capability, which the IP settings lines depend on.
    if (app->configureFlags & kConfigureIp) {
        std::int32_t found = -1;
        if (!services->queryOptions || services->queryOptions(*app, typed, found) == 0) {
            Refuse(MSG_ERR_INCORRECT_IP_ADDRESS);
            return;
        }
        options = found;
    }
    address = typed;
    EndDialog(IDOK);
}

}
