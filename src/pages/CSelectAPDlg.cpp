#include "pages/CSelectAPDlg.h"

#include "pages/WirelessKeyRules.h"
#include "resources/dialogs/SelectApIds.h"
#include "settings/SettingsChannels.h"
#include "ui/CButton.h"
#include "ui/CEdit.h"
#include "ui/CListView.h"
#include "wizard/CAPWaitDlg.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/RunContexts.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

void Enable(CWindow* window, bool enable)
{
    if (window)
        window->EnableWindow(enable);
}

}

bool CSelectAPDlg::ListRadioChecked() const
{
    CButton* radio = Item<CButton>(IDC_AP_FROM_LIST);
    return radio && radio->GetCheck() == 1;
}

bool CSelectAPDlg::SsidRadioChecked() const
{
    CButton* radio = Item<CButton>(IDC_AP_TYPED);
    return radio && radio->GetCheck() == 1;
}

void CSelectAPDlg::Focus(int controlId)
{
    if (CWindow* control = GetDlgItem(controlId))
        control->SetFocus();
}

bool CSelectAPDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();

    SetItemText(IDC_PAGE_TITLE, IDS_SELECTAP_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_SELECTAP_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_SELECTAP_DLG_SIDE_MSG);
    SetItemText(IDC_AP_FROM_LIST, IDS_SELECTAP_DLG_RADIO_LIST);
    SetItemText(IDC_AP_GROUP, IDS_SELECTAP_DLG_GROUP);
    SetItemText(IDC_AP_REFRESH, IDS_SELECTAP_DLG_REFRESH);
    SetItemText(IDC_AP_TYPED, IDS_SELECTAP_DLG_RADIO_SSID);
    SetItemText(IDC_AP_TYPED_HINT, IDS_SELECTAP_DLG_SSID_TEXT);
    SetItemText(IDC_AP_SSID_LABEL, IDS_SELECTAP_DLG_SSID_LABEL);
    SetItemText(IDC_AP_SSID_HELP, IDS_WHATS_THIS);
    ssidHelp.Attach(*this, IDC_AP_SSID_HELP);
    if (CEdit* ssid = Item<CEdit>(IDC_AP_SSID))
        ssid->SetLimitText(kSsidMaxChars);

    apList.Attach(Item<CListView>(IDC_AP_LIST), language);
    apList.InsertColumn(0, IDS_SELECTAP_DLG_COLUMN_SSID, AP_LIST_SSID_WIDTH);
    apList.InsertColumn(1, IDS_SELECTAP_DLG_COLUMN_ENCRYPTION, AP_LIST_ENCRYPTION_WIDTH);
    apList.InsertColumn(2, IDS_SELECTAP_DLG_COLUMN_STATUS, AP_LIST_STATUS_WIDTH);

    resetFlag = 1;
    rememberedRow = 0;
    return true;
}

void CSelectAPDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    if (RunState* app = App())
        ApplyBackButtonRule(app->backButtonFlag);
    if (resetFlag) {
        typedSsid.clear();
        if (CWindow* ssid = GetDlgItem(IDC_AP_SSID))
            ssid->SetWindowText(typedSsid);
        if (CButton* list = Item<CButton>(IDC_AP_FROM_LIST))
            list->SetCheck(1);
        if (CButton* typed = Item<CButton>(IDC_AP_TYPED))
            typed->SetCheck(0);
        ApplyRadioRules();
        resetFlag = 0;
    }
    if (ListRadioChecked())
        PostMessage(kStartMessage);
    else if (SsidRadioChecked())
        Focus(IDC_AP_SSID);
}

void CSelectAPDlg::ApplyRadioRules()
{
    CListView* list = apList.List();
    if (ListRadioChecked()) {
        Enable(GetDlgItem(IDC_AP_GROUP), true);
        Enable(GetDlgItem(IDC_AP_REFRESH), true);
        Enable(list, true);
        Enable(GetDlgItem(IDC_AP_SSID_LABEL), false);
        Enable(GetDlgItem(IDC_AP_SSID), false);
        Enable(GetDlgItem(IDC_AP_SSID_HELP), false);
        if (list && list->GetItemCount() > 0) {
            list->SetItemState(rememberedRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            list->SetFocus();
        }
    } else if (SsidRadioChecked()) {
        if (list) {
            int row = apList.GetSelectedRow();
            rememberedRow = row >= 0 && list->GetItemCount() > 0 ? row : 0;
            if (row >= 0)
                list->SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
        }
        Enable(GetDlgItem(IDC_AP_GROUP), false);
        Enable(GetDlgItem(IDC_AP_REFRESH), false);
        Enable(list, false);
        Enable(GetDlgItem(IDC_AP_SSID_LABEL), true);
        Enable(GetDlgItem(IDC_AP_SSID), true);
        Enable(GetDlgItem(IDC_AP_SSID_HELP), true);
    }
}

void CSelectAPDlg::RefreshList()
{
    if (CListView* list = apList.List())
        list->DeleteAllItems();
    apList.devicePath.clear();
    if (RunState* app = App()) {
        apList.context = SettingsContextOf(*app);
        apList.survey = app->operations.surveyAccessPoints;
        PrinterEntry entry;
        if (app->printers.GetPrinter(app->selectedPrinter, entry))
            apList.devicePath = entry.usbDevicePath;
    }
    // The survey replaces the result; should the wait not run at all, the empty result
    // tells the user that the printer gave no answer.
    apList.result = ApSurveyResult{};
    CAPWaitDlg wait(this, language);
    wait.Run([this] { apList.Survey(); });
    FillList();
}

void CSelectAPDlg::FillList()
{
    if (apList.result.dataStatus == -1) {
        Warn(MSG_ERR_AP_DATASTATUS, IDC_AP_REFRESH);
        return;
    }
    if (apList.result.accessPoints.empty()) {
        Warn(MSG_ERR_AP_LISTNUM_ZERO, IDC_AP_REFRESH);
        return;
    }
    apList.FillRows();
    rememberedRow = 0;
    if (CListView* list = apList.List())
        list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSelectAPDlg::Warn(StringId textId, int focusId)
{
    ShowMessage(language, this, textId, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
    Focus(focusId);
}

void CSelectAPDlg::Refuse(StringId textId, int focusId)
{
    ShowMessage(language, this, textId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    Focus(focusId);
}

std::intptr_t CSelectAPDlg::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message != kStartMessage)
        return CTemplateDlg::OnMessage(message, wParam, lParam);
    RefreshList();
    Focus(IDC_NEXT);
    return 0;
}

bool CSelectAPDlg::OnNotify(const NotifyInfo& info)
{
    if (info.idFrom == IDC_AP_LIST && info.code == NM_CLICK)
        return apList.OnClick(info);
    return CTemplateDlg::OnNotify(info);
}

bool CSelectAPDlg::OnCommand(int controlId, int code)
{
    if (code != BN_CLICKED)
        return CTemplateDlg::OnCommand(controlId, code);
    switch (controlId) {
    case IDC_AP_FROM_LIST:
    case IDC_AP_TYPED:
        ApplyRadioRules();
        return true;
    case IDC_AP_REFRESH:
        RefreshList();
        return true;
    case IDC_AP_SSID_HELP:
        ShowGuide(IDS_GUIDE_AP_SSID_TEXT, IDS_GUIDE_AP_SSID_TITLE);
        return true;
    default:
        return CTemplateDlg::OnCommand(controlId, code);
    }
}

void CSelectAPDlg::ReplaceWireless(const WirelessSettings& wireless)
{
    RunState* app = App();
    if (!app)
        return;
    PrinterEntry entry;
    if (!app->printers.GetPrinter(app->selectedPrinter, entry))
        return;
    entry.wireless = wireless;
    app->printers.ReplacePrinter(app->selectedPrinter, entry);
}

void CSelectAPDlg::TakeAccessPoint(int row)
{
    CListView* list = apList.List();
    auto index = static_cast<std::size_t>(list->GetItemData(row));
    if (index >= apList.result.accessPoints.size())
        return;
    const AccessPointInfo& accessPoint = apList.result.accessPoints[index];
    WirelessSettings wireless;
    wireless.ssid = accessPoint.ssid;
    wireless.networkType = 0;
    wireless.security = accessPoint.securityType - 1;
    wireless.transmitKey = 0;
    ReplaceWireless(wireless);
    if (wizard)
        wizard->GoToPage(wireless.security != 0 ? kPageEnterApPwd : kPageIpSetting);
}

void CSelectAPDlg::TakeTypedSsid()
{
    if (CWindow* ssid = GetDlgItem(IDC_AP_SSID))
        typedSsid = ssid->GetWindowText();
    RunState* app = App();
    if (!app)
        return;
    SsidVerdict verdict = CheckSsid(typedSsid, WireCodePage(SettingsContextOf(*app)));
    if (verdict != SsidVerdict::Accepted) {
        Refuse(SsidRefusal(verdict), IDC_AP_SSID);
        return;
    }
    WirelessSettings wireless;
    wireless.ssid = typedSsid;
    ReplaceWireless(wireless);
    if (wizard)
        wizard->GoToPage(kPageFixedSsidWlSetting);
}

void CSelectAPDlg::OnNext()
{
    if (ListRadioChecked()) {
        int row = apList.GetSelectedRow();
        if (row < 0) {
            Warn(MSG_ERR_NO_AP_SELECTED, IDC_AP_REFRESH);
            return;
        }
        TakeAccessPoint(row);
    } else if (SsidRadioChecked()) {
        TakeTypedSsid();
    }
}

void CSelectAPDlg::OnBack()
{
    resetFlag = 1;
    CommonBack();
}

}
