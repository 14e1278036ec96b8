#include "pages/CCompleteDlg.h"

#include "config/GeneralSettings.h"
#include "pages/CompletionTexts.h"
#include "resources/dialogs/CompleteIds.h"
#include "settings/SettingsStore.h"
#include "ui/MessageBox.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/PageIndex.h"
#include "wizard/RunState.h"

namespace plintor {

CCompleteDlg::CCompleteDlg() = default;

bool CCompleteDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_COMPLETE_DLG_TITLE);
    SetItemText(IDC_PRINT_SETTINGS, IDS_COMPLETE_DLG_PRINT_BUTTON);
    SetItemText(IDC_SET_ANOTHER, IDS_COMPLETE_DLG_ANOTHER_BUTTON);
    return true;
}

void CCompleteDlg::OnShowWindow(bool show)
{
    RunState* app = App();
    if (!show || !app)
        return;
    // Leaving the wizard from here on asks nothing.
    wizard->confirmCancel = 0;

    PrinterEntry chosen;
    app->printers.GetPrinter(app->selectedPrinter, chosen);
    CompletionInput input;
    input.faxPageVariant = app->faxPageVariant;
    input.connectionMode = app->connectionMode;
    input.configureFlags = app->configureFlags;
    input.faxEnabled = chosen.fax.faxEnabled;
    input.continueToInstall = IsContinueToInstallOn(app->configFilePath);
    CompletionView view = ComposeCompletion(input, language);

    if (CWindow* upper = GetDlgItem(IDC_COMPLETE_UPPER))
        upper->SetWindowText(view.upper);
    if (CWindow* lower = GetDlgItem(IDC_COMPLETE_LOWER))
        lower->SetWindowText(view.lower);
    if (CWindow* print = GetDlgItem(IDC_PRINT_SETTINGS)) {
        print->ShowWindow(view.printButton);
        print->EnableWindow(view.printButton);
    }
    if (CWindow* another = GetDlgItem(IDC_SET_ANOTHER)) {
        another->ShowWindow(view.anotherButton);
        another->EnableWindow(view.anotherButton);
    }
    SetItemText(IDC_NEXT, view.nextCaption);
}

bool CCompleteDlg::OnCommand(int controlId, int code)
{
    if (code == BN_CLICKED && controlId == IDC_PRINT_SETTINGS) {
        PrintPrinterSetting();
        return true;
    }
    if (code == BN_CLICKED && controlId == IDC_SET_ANOTHER) {
        SetAnotherPrinter();
        return true;
    }
    return CTemplateDlg::OnCommand(controlId, code);
}

void CCompleteDlg::PrintPrinterSetting()
{
    RunState* app = App();
    if (!app)
        return;
    // A report that could not be sent is not reported: the printer shows it or not.
    if (app->operations.printSettingsReport)
        app->operations.printSettingsReport(*app);
    ShowMessage(language, this, MSG_COMPLETE_DLG_PRINTING, IDS_WND_TITLE, MB_OK | MB_ICONINFORMATION);
}

void CCompleteDlg::SetAnotherPrinter()
{
    RunState* app = App();
    if (!app)
        return;
    // 1. Once per apply: the next printer gets these settings, this one leaves the list.
    if (wizard->completionRecorded == 0) {
        LoadSettings(app->printers, app->selectedPrinter, app->currentPrinter);
        PrinterEntry configured;
        bool found = app->printers.GetPrinter(app->selectedPrinter, configured);
        app->printers.RemovePrinter(app->selectedPrinter);
        if (found && app->connectionMode == kConnectionNetwork && !configured.macAddress.empty()) {
            app->configuredMacs.push_back(configured.macAddress);
            app->printers.RemovePrintersByMac(configured.macAddress);
        }
    }
    // 2.
    app->backButtonFlag = 0;
    wizard->completionRecorded = 1;
    wizard->rediscover = 0;
    wizard->confirmCancel = 1;
    // 3.
    wizard->GoToPage(kPageSelectPrinter);
}

void CCompleteDlg::OnNext()
{
    // Finish closes the wizard at once.
    if (wizard)
        wizard->EndDialog(IDCANCEL);
}

}
