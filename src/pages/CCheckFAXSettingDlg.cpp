#include "pages/CCheckFAXSettingDlg.h"

#include "core/ConfigureFlags.h"
#include "resources/dialogs/CheckFaxSettingIds.h"
#include "settings/ApplySettings.h"
#include "ui/CButton.h"
#include "wizard/CWizardFrame.h"
#include "wizard/PageIndex.h"
#include "wizard/RunContexts.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

// The fields that the box switches off, each with its label; the ring pattern pair apart.
constexpr int kBoxFields[] = {
    IDC_FAX_REGION_LABEL,       IDC_FAX_REGION,       IDC_FAX_LINE_TYPE_LABEL, IDC_FAX_LINE_TYPE,
    IDC_FAX_DIAL_TYPE_LABEL,    IDC_FAX_DIAL_TYPE,    IDC_FAX_RECEIVE_MODE_LABEL,
    IDC_FAX_RECEIVE_MODE,       IDC_FAX_COMPANY_LABEL, IDC_FAX_COMPANY,       IDC_FAX_NUMBER_LABEL,
    IDC_FAX_NUMBER,
};

}

CCheckFAXSettingDlg::CCheckFAXSettingDlg() = default;

StringId CCheckFAXSettingDlg::SideMessageId() const
{
    return IDS_CHECKFAXSETTING_DLG_SIDE_MSG;
}

bool CCheckFAXSettingDlg::OnInitDialog()
{
    CFAXSettingTemplateDlg::OnInitDialog();
    SetItemText(IDC_FAX_NOT_USED, IDS_CHECKFAXSETTING_DLG_NOT_USE_FAX);
    SetItemText(IDC_FAX_GROUP, IDS_CHECKFAXSETTING_DLG_GROUP);
    if (RunState* app = App())
        ApplyBackButtonRule(app->backButtonFlag);
    return true;
}

bool CCheckFAXSettingDlg::BoxChecked() const
{
    const CButton* box = Item<CButton>(IDC_FAX_NOT_USED);
    return box && box->GetCheck() == 1;
}

void CCheckFAXSettingDlg::ApplyBoxRule()
{
    bool fieldsOn = !BoxChecked();
    for (int id : kBoxFields)
        EnableControl(id, fieldsOn);
    bool drpd = fieldsOn && SelectedCode(IDC_FAX_RECEIVE_MODE) == static_cast<int>(kReceiveModeDrpd);
    EnableControl(IDC_FAX_DRPD_LABEL, drpd);
    EnableControl(IDC_FAX_DRPD, drpd);
}

// While the box is checked the ring pattern stays off whatever the loaded receive mode.
void CCheckFAXSettingDlg::ApplyDrpdRule()
{
    ApplyBoxRule();
}

void CCheckFAXSettingDlg::OnShowWindow(bool show)
{
    CFAXSettingTemplateDlg::OnShowWindow(show);
    if (!show || !wizard)
        return;
    std::uint32_t boxBit = 1u << kBoxBitPage;
    if (wizard->pageRefreshMask & boxBit) {
        wizard->pageRefreshMask &= ~boxBit;
        if (CButton* box = Item<CButton>(IDC_FAX_NOT_USED))
            box->SetCheck(workingCopy.fax.faxEnabled != 1 ? 1 : 0);
        ApplyBoxRule();
    }
}

bool CCheckFAXSettingDlg::OnCommand(int controlId, int code)
{
    if (controlId == IDC_FAX_NOT_USED) {
        if (code == BN_CLICKED)
            ApplyBoxRule();
        return code == BN_CLICKED;
    }
    return CFAXSettingTemplateDlg::OnCommand(controlId, code);
}

void CCheckFAXSettingDlg::OnNext()
{
    RunState* app = App();
    if (!app || !wizard)
        return;
    bool declined = BoxChecked();
    TakeControlValues();
    if (!declined) {
        if (!Validate())
            return;
        StoreValues(app->selectedPrinter);
    }

    PrinterEntry entry;
    if (app->printers.GetPrinter(app->selectedPrinter, entry)) {
        entry.fax.faxEnabled = declined ? 0 : 1;
        app->printers.ReplacePrinter(app->selectedPrinter, entry);
    }

    // A run that configures FAX alone and declines it has nothing to confirm: the panel
    // language, when it is configured too, goes out on its own and the run is complete.
    bool panel = (app->configureFlags & kConfigurePanelLanguage) != 0;
    app->configureFlags &= ~static_cast<std::uint32_t>(kConfigurePanelLanguage);
    bool faxOnly = app->configureFlags == kConfigureFax;
    if (faxOnly && declined) {
        if (panel) {
            if (app->printers.GetPrinter(app->selectedPrinter, entry)) {
                entry.panelLanguage = app->uiLanguage;
                app->printers.ReplacePrinter(app->selectedPrinter, entry);
            }
            if (app->operations.applyPanelLanguage)
                app->operations.applyPanelLanguage(*app);
        }
    }
    if (panel)
        app->configureFlags |= kConfigurePanelLanguage;
    wizard->GoToPage(faxOnly && declined ? kPageComplete : kPageConfirmConfig);
}

}
