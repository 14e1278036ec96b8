#include "pages/CConfirmConfigDlg.h"

#include "config/PanelLanguageTable.h"
#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "pages/ConfigSummary.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "settings/ApplySettings.h"
#include "settings/SetupState.h"
#include "ui/CComboBox.h"
#include "ui/MessageBox.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/PageIndex.h"
#include "wizard/RunState.h"

#include <cctype>
#include <string>

namespace plintor {

namespace {

constexpr std::uint16_t kEnglishPanel = LANG_ENGLISH_US;

std::string PanelLanguageName(LangId language, const PanelLanguageRow& row)
{
    std::string name = LoadText(language, static_cast<StringId>(row.stringId));
    if (!name.empty())
        return name;
    // Every panel language has a name in every string table; should one ever lack it, the
    // row shows the name the printer knows the language by, "FRENCH" as "French", rather
    // than a blank the user cannot tell apart from the others.
    name = std::string(row.pjlName);
    for (std::size_t i = 1; i < name.size(); ++i)
        name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    return name;
}

// The file-mode failure: the message with the file's path for %1 and the reason for %2.
std::string JobFileMessage(LangId language, const JobFileFailure& failure)
{
    std::string text = LoadText(language, MSG_ERR_JOB_FILE_NOT_SAVED);
    std::string composed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            composed += text[i + 1] == '1' ? failure.path : failure.reason;
            ++i;
        } else {
            composed += text[i];
        }
    }
    return composed;
}

}

CConfirmConfigDlg::CConfirmConfigDlg() = default;

CComboBox* CConfirmConfigDlg::PanelLanguageBox() const
{
    return Item<CComboBox>(IDC_PANEL_LANGUAGE);
}

bool CConfirmConfigDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_CONFIRM_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_CONFIRM_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_CONFIRM_DLG_SIDE_MSG);
    SetItemText(IDC_PANEL_LANGUAGE_LABEL, IDS_CONFIRM_DLG_PANEL_LABEL);
    SetItemText(IDC_NEXT, IDS_APPLY_BUTTON);
    FillPanelLanguages();
    return true;
}

void CConfirmConfigDlg::FillPanelLanguages()
{
    CComboBox* box = PanelLanguageBox();
    const RunState* app = App();
    if (!box || !app)
        return;
    box->ResetContent();
    for (std::uint16_t langId : app->config.panelLanguages)
        if (const PanelLanguageRow* row = FindPanelLanguage(langId))
            box->SetItemData(box->AddString(PanelLanguageName(language, *row)), langId);
}

void CConfirmConfigDlg::SelectPanelLanguage()
{
    CComboBox* box = PanelLanguageBox();
    if (!box)
        return;
    int chosen = box->FindItemData(workingCopy.panelLanguage);
    if (chosen < 0)
        for (int i = 0; i < box->GetCount(); ++i)
            if (box->GetItemData(i) == kEnglishPanel)
                chosen = i;
    box->SetCurSel(chosen >= 0 ? chosen : (box->GetCount() > 0 ? 0 : -1));
}

void CConfirmConfigDlg::OnShowWindow(bool show)
{
    RunState* app = App();
    if (!show || !app)
        return;
    // 1.
    app->printers.GetPrinter(app->selectedPrinter, workingCopy);
    // 2.
    if (TakeRefreshBit())
        SelectPanelLanguage();
    // 3. The panel language is offered when it is configured, unless a FAX configuration
    // that uses FAX takes its language from the FAX page.
    std::uint32_t flags = app->configureFlags;
    bool offerPanel = (flags & kConfigurePanelLanguage) != 0
        && ((flags & kConfigureFax) == 0 || workingCopy.fax.faxEnabled == 0);
    for (int id : {IDC_PANEL_LANGUAGE_LABEL, IDC_PANEL_LANGUAGE})
        if (CWindow* control = GetDlgItem(id)) {
            control->ShowWindow(offerPanel);
            control->EnableWindow(offerPanel);
        }
    SetItemText(IDC_SIDE_MESSAGE, offerPanel ? IDS_CONFIRM_DLG_SIDE_MSG_PANEL : IDS_CONFIRM_DLG_SIDE_MSG);
    // 4.
    summary = BuildConfigSummary(workingCopy.Settings(), flags, language);
    if (CWindow* edit = GetDlgItem(IDC_CONFIRM_SUMMARY))
        edit->SetWindowText(summary);
    // 5.
    if (CWindow* apply = GetDlgItem(IDC_NEXT))
        apply->SetFocus();
}

bool CConfirmConfigDlg::OfferRetry(StringId textId)
{
    return OfferRetryText(LoadText(language, textId));
}

bool CConfirmConfigDlg::OfferRetryText(const std::string& text)
{
    int answer = ShowMessageText(language, this, text, IDS_WARNING_TITLE, MB_RETRYCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDRETRY) {
        wizard->OnCancel();
        return false;
    }
    if (RunState* app = App(); app && app->operations.pause)
        app->operations.pause(kRetryPause);
    return true;
}

void CConfirmConfigDlg::OnNext()
{
    RunState* app = App();
    if (!app || !wizard)
        return;

    // 1. The panel language goes with the settings when it was offered.
    CComboBox* box = PanelLanguageBox();
    if (box && box->IsWindowVisible()) {
        if (box->GetCurSel() >= 0)
            workingCopy.panelLanguage = static_cast<std::uint16_t>(box->GetItemData(box->GetCurSel()));
        app->printers.ReplacePrinter(app->selectedPrinter, workingCopy);
        app->configureFlags |= kConfigurePanelLanguage;
    } else {
        app->configureFlags &= ~static_cast<std::uint32_t>(kConfigurePanelLanguage);
    }

    // 2. The printer must accept settings now.
    for (;;) {
        int code = SetupAnswer::kNotAsked;
        bool ready = app->operations.querySetupState && app->operations.querySetupState(*app, code);
        if (ready || code == SetupAnswer::kReady)
            break;
        StringId text = code == SetupAnswer::kRefused ? MSG_ERR_COMMUNICATION_PRINTING : MSG_ERR_COMMUNICATION_CONNECT;
        if (!OfferRetry(text))
            return;
    }

    // 3. The settings go out; every retry rebuilds and resends every job. Only what a
    // retry can mend is offered one: a printer out of reach, a file that was not saved.
    for (;;) {
        ApplyReport report;
        if (app->operations.applySettings && app->operations.applySettings(*app, report))
            break;
        if (report.failed < 0 && !report.saveFailure.reason.empty()) {
            if (!OfferRetryText(JobFileMessage(language, report.saveFailure)))
                return;
            continue;
        }
        if (report.failed < 0 && !report.unbuilt.empty()) {
            ShowMessage(language, this, MSG_ERR_SETTINGS_NOT_BUILT, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (!OfferRetry(MSG_ERR_COMMUNICATION_CONNECT))
            return;
    }

    // 4.
    wizard->completionRecorded = 0;
    wizard->GoToPage(kPageComplete);
}

}
