#include "pages/CFAXSettingTemplateDlg.h"

#include "resources/dialogs/FaxSettingIds.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/MessageBox.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

// One row of the page: label, field and "What's this?" button with its guide.
struct FaxRowIds {
    int label;
    int field;
    int help;
    StringId labelText;
    StringId guideTitle;
    StringId guideText;
};

constexpr FaxRowIds kRows[] = {
    {IDC_FAX_REGION_LABEL, IDC_FAX_REGION, IDC_FAX_REGION_HELP, IDS_FAXSETTING_DLG_REGION_LABEL,
     IDS_GUIDE_REGION_TITLE, IDS_GUIDE_REGION_TEXT},
    {IDC_FAX_LINE_TYPE_LABEL, IDC_FAX_LINE_TYPE, IDC_FAX_LINE_TYPE_HELP, IDS_FAXSETTING_DLG_LINETYPE_LABEL,
     IDS_GUIDE_LINETYPE_TITLE, IDS_GUIDE_LINETYPE_TEXT},
    {IDC_FAX_DIAL_TYPE_LABEL, IDC_FAX_DIAL_TYPE, IDC_FAX_DIAL_TYPE_HELP, IDS_FAXSETTING_DLG_DIALTYPE_LABEL,
     IDS_GUIDE_DIALTYPE_TITLE, IDS_GUIDE_DIALTYPE_TEXT},
    {IDC_FAX_RECEIVE_MODE_LABEL, IDC_FAX_RECEIVE_MODE, IDC_FAX_RECEIVE_MODE_HELP,
     IDS_FAXSETTING_DLG_RECEIVEMODE_LABEL, IDS_GUIDE_RECEIVEMODE_TITLE, IDS_GUIDE_RECEIVEMODE_TEXT},
    {IDC_FAX_DRPD_LABEL, IDC_FAX_DRPD, IDC_FAX_DRPD_HELP, IDS_FAXSETTING_DLG_DRPD_LABEL, IDS_GUIDE_DRPD_TITLE,
     IDS_GUIDE_DRPD_TEXT},
    {IDC_FAX_COMPANY_LABEL, IDC_FAX_COMPANY, IDC_FAX_COMPANY_HELP, IDS_FAXSETTING_DLG_COMPANY_LABEL,
     IDS_GUIDE_COMPANY_TITLE, IDS_GUIDE_COMPANY_TEXT},
    {IDC_FAX_NUMBER_LABEL, IDC_FAX_NUMBER, IDC_FAX_NUMBER_HELP, IDS_FAXSETTING_DLG_FAXNUMBER_LABEL,
     IDS_GUIDE_FAXNUMBER_TITLE, IDS_GUIDE_FAXNUMBER_TEXT},
};

void SelectCode(CComboBox* box, std::uint32_t code)
{
    if (!box)
        return;
    int index = box->FindItemData(static_cast<std::intptr_t>(code));
    box->SetCurSel(index >= 0 ? index : (box->GetCount() > 0 ? 0 : -1));
}

}

bool CFAXSettingTemplateDlg::IsValidCompanyName(const std::string& name)
{
    if (name.size() > static_cast<std::size_t>(FAX_COMPANY_MAX_CHARS))
        return false;
    // Any byte outside space to tilde (every byte of a non-ASCII letter among them) is refused.
    for (unsigned char c : name)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

bool CFAXSettingTemplateDlg::IsValidFaxNumber(const std::string& number)
{
    if (number.size() > static_cast<std::size_t>(FAX_NUMBER_MAX_CHARS))
        return false;
    for (char c : number)
        if (!((c >= '0' && c <= '9') || c == ' ' || c == '+'))
            return false;
    return true;
}

CComboBox* CFAXSettingTemplateDlg::Box(int controlId) const
{
    return Item<CComboBox>(controlId);
}

int CFAXSettingTemplateDlg::SelectedCode(int controlId) const
{
    const CComboBox* box = Box(controlId);
    if (!box || box->GetCurSel() < 0)
        return -1;
    return static_cast<int>(box->GetItemData(box->GetCurSel()));
}

void CFAXSettingTemplateDlg::EnableControl(int controlId, bool enable)
{
    if (CWindow* control = GetDlgItem(controlId))
        control->EnableWindow(enable);
}

void CFAXSettingTemplateDlg::FillList(int controlId, const std::vector<std::int32_t>& codes, FaxTableKind kind)
{
    CComboBox* box = Box(controlId);
    if (!box)
        return;
    box->ResetContent();
    std::span<const FaxCodeRow> table = FaxCodeTable(kind);
    for (std::int32_t code : codes) {
        int row = FaxRowOfCode(kind, code);
        if (row >= 0)
            AddComboItem(box, static_cast<StringId>(table[static_cast<std::size_t>(row)].stringId), code);
    }
}

void CFAXSettingTemplateDlg::FillRegions()
{
    const RunState* app = App();
    CComboBox* box = Box(IDC_FAX_REGION);
    if (!box || !app)
        return;
    box->ResetContent();
    std::span<const FaxCodeRow> table = FaxCountryTable();
    // The list box itself keeps the regions in the order of their texts.
    for (std::int32_t code : app->config.faxCountries) {
        int row = CountryRowOfCode(code);
        if (row >= 0)
            AddComboItem(box, static_cast<StringId>(table[static_cast<std::size_t>(row)].stringId), code);
    }
}

bool CFAXSettingTemplateDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();

    SetItemText(IDC_PAGE_TITLE, IDS_FAXSETTING_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_FAXSETTING_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, SideMessageId());
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        SetItemText(kRows[i].label, kRows[i].labelText);
        SetItemText(kRows[i].help, IDS_WHATS_THIS);
        helpButtons[i].Attach(*this, kRows[i].help);
    }

    if (const RunState* app = App()) {
        FillRegions();
        FillList(IDC_FAX_LINE_TYPE, app->config.faxLineTypes, FaxTableKind::LineType);
        FillList(IDC_FAX_DIAL_TYPE, app->config.faxDialTypes, FaxTableKind::DialType);
        FillList(IDC_FAX_RECEIVE_MODE, app->config.faxReceiveModes, FaxTableKind::ReceiveMode);
        FillList(IDC_FAX_DRPD, app->config.faxDrpdPatterns, FaxTableKind::RingPattern);
    }
    if (CEdit* edit = Item<CEdit>(IDC_FAX_COMPANY))
        edit->SetLimitText(FAX_COMPANY_MAX_CHARS);
    if (CEdit* edit = Item<CEdit>(IDC_FAX_NUMBER))
        edit->SetLimitText(FAX_NUMBER_MAX_CHARS);
    return true;
}

void CFAXSettingTemplateDlg::ApplyDrpdRule()
{
    bool drpd = SelectedCode(IDC_FAX_RECEIVE_MODE) == static_cast<int>(kReceiveModeDrpd);
    EnableControl(IDC_FAX_DRPD_LABEL, drpd);
    EnableControl(IDC_FAX_DRPD, drpd);
}

void CFAXSettingTemplateDlg::LoadControls()
{
    const FaxSettings& fax = workingCopy.fax;
    SelectCode(Box(IDC_FAX_REGION), fax.country);
    SelectCode(Box(IDC_FAX_LINE_TYPE), fax.lineType);
    SelectCode(Box(IDC_FAX_DIAL_TYPE), fax.dialType);
    SelectCode(Box(IDC_FAX_RECEIVE_MODE), fax.receiveMode);
    ApplyDrpdRule();
    SelectCode(Box(IDC_FAX_DRPD), fax.drpdPattern);
    companyNameText = fax.companyName;
    faxNumberText = fax.faxNumber;
    if (CWindow* edit = GetDlgItem(IDC_FAX_COMPANY))
        edit->SetWindowText(companyNameText);
    if (CWindow* edit = GetDlgItem(IDC_FAX_NUMBER))
        edit->SetWindowText(faxNumberText);
}

void CFAXSettingTemplateDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    RunState* app = App();
    if (!app || !wizard)
        return;
    app->printers.GetPrinter(app->selectedPrinter, workingCopy);
    std::uint32_t loadBit = 1u << kLoadBitPage;
    if (wizard->pageRefreshMask & loadBit) {
        wizard->pageRefreshMask &= ~loadBit;
        LoadControls();
    }
    // A failed read is told once; the message waits until the page is on screen.
    if (app->currentPrinter.faxReadStatus == 0) {
        app->currentPrinter.faxReadStatus = 1;
        PostMessage(kMsgFaxReadFailed);
    }
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->SetFocus();
}

std::intptr_t CFAXSettingTemplateDlg::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message != kMsgFaxReadFailed)
        return CTemplateDlg::OnMessage(message, wParam, lParam);
    ShowMessage(language, this, MSG_ERR_FAX_READ_FAILED, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

bool CFAXSettingTemplateDlg::OnCommand(int controlId, int code)
{
    if (controlId == IDC_FAX_RECEIVE_MODE) {
        if (code == CBN_SELCHANGE)
            ApplyDrpdRule();
        return code == CBN_SELCHANGE;
    }
    for (const FaxRowIds& row : kRows) {
        if (controlId == row.help) {
            if (code == BN_CLICKED)
                ShowGuide(row.guideText, row.guideTitle);
            return code == BN_CLICKED;
        }
    }
    return CTemplateDlg::OnCommand(controlId, code);
}

void CFAXSettingTemplateDlg::TakeControlValues()
{
    if (const CWindow* edit = GetDlgItem(IDC_FAX_COMPANY))
        companyNameText = edit->GetWindowText();
    if (const CWindow* edit = GetDlgItem(IDC_FAX_NUMBER))
        faxNumberText = edit->GetWindowText();
}

bool CFAXSettingTemplateDlg::Refuse(StringId textId, int focusId)
{
    ShowMessage(language, this, textId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    if (CWindow* control = GetDlgItem(focusId))
        control->SetFocus();
    return false;
}

bool CFAXSettingTemplateDlg::Validate()
{
    if (!IsValidCompanyName(companyNameText))
        return Refuse(MSG_ERR_INCORRECT_COMPANY_NAME, IDC_FAX_COMPANY);
    if (!IsValidFaxNumber(faxNumberText))
        return Refuse(MSG_ERR_INCORRECT_FAX_NUMBER, IDC_FAX_NUMBER);
    return true;
}

bool CFAXSettingTemplateDlg::StoreValues(int index)
{
    RunState* app = App();
    if (!app)
        return false;
    int codes[5];
    const int lists[5] = {IDC_FAX_REGION, IDC_FAX_LINE_TYPE, IDC_FAX_DIAL_TYPE, IDC_FAX_RECEIVE_MODE, IDC_FAX_DRPD};
    for (int i = 0; i < 5; ++i) {
        codes[i] = SelectedCode(lists[i]);
        if (codes[i] < 0)
            return false;
    }
    if (!app->printers.GetPrinter(index, workingCopy))
        return false;
    FaxSettings& fax = workingCopy.fax;
    fax.country = static_cast<std::uint32_t>(codes[0]);
    fax.lineType = static_cast<std::uint32_t>(codes[1]);
    fax.dialType = static_cast<std::uint32_t>(codes[2]);
    fax.receiveMode = static_cast<std::uint32_t>(codes[3]);
    fax.drpdPattern = static_cast<std::uint32_t>(codes[4]);
    fax.companyName = companyNameText;
    fax.faxNumber = faxNumberText;
    return app->printers.ReplacePrinter(index, workingCopy);
}

}
