#include "pages/CSelectPrinterDlg.h"

#include "pages/CEnterIPDlg.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "wizard/CWaitDlg.h"
#include "wizard/CWizardFrame.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/Messages.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

// Row marks of the list (no picture is drawn for them).
constexpr int kRowUnmarked = 1;
constexpr int kRowMarked = 2;
constexpr int kRowKeptMark = 3;

}

std::string CSelectPrinterDlg::MacText(const std::string& mac)
{
    // Six pairs of characters joined by ":", each pair as much of the text as remains.
    std::string text;
    for (std::size_t pair = 0; pair < 6; ++pair) {
        if (pair > 0)
            text += ':';
        if (pair * 2 < mac.size())
            text += mac.substr(pair * 2, 2);
    }
    return text;
}

std::string CSelectPrinterDlg::AddressText(const PrinterEntry& entry)
{
    if (!entry.addressIpv6.empty() && !entry.addressIpv4.empty())
        return entry.addressIpv4 + " / " + entry.addressIpv6;
    if (!entry.addressIpv6.empty())
        return entry.addressIpv6;
    return entry.addressIpv4;
}

bool CSelectPrinterDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_SELECTPRINTER_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_SELECTPRINTER_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_SELECTPRINTER_DLG_SIDE_MSG);
    SetItemText(IDC_PRINTER_GROUP, IDS_SELECTPRINTER_DLG_GROUP);
    SetItemText(IDC_USE_IPV6, IDS_SELECTPRINTER_DLG_USE_IPV6);
    SetItemText(IDC_PRINTER_REFRESH, IDS_REFRESH_BUTTON);
    SetItemText(IDC_ENTER_IP_ADDRESS, IDS_SELECTPRINTER_DLG_ENTER_IP);
    printerList.Attach(Item<CListView>(IDC_PRINTER_LIST), language);
    printerList.InsertColumn(0, IDS_SELECTPRINTER_DLG_COLUMN_MAC, PRINTER_LIST_MAC_WIDTH);
    printerList.InsertColumn(1, IDS_SELECTPRINTER_DLG_COLUMN_IP, PRINTER_LIST_IP_WIDTH);
    return true;
}

void CSelectPrinterDlg::FillList()
{
    CListView* list = printerList.List();
    RunState* app = App();
    if (!list || !list->Exists() || !app)
        return;
    list->DeleteAllItems();
    const std::vector<PrinterEntry>& entries = app->printers.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PrinterEntry& entry = entries[i];
        int row = list->InsertItem(static_cast<int>(i), MacText(entry.macAddress));
        list->SetItemData(row, static_cast<std::intptr_t>(i));
        if (list->RowMark(row) != kRowKeptMark)
            list->SetRowMark(row, entry.chosen ? kRowMarked : kRowUnmarked);
        list->SetItemText(row, 1, AddressText(entry));
    }
    list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (list->GetItemCount() == 0)
        if (CWindow* ipv6 = GetDlgItem(IDC_USE_IPV6))
            ipv6->EnableWindow(false);
}

void CSelectPrinterDlg::SetFocusAfterFill()
{
    RunState* app = App();
    bool any = app && app->printers.Count() > 0;
    if (CWindow* target = GetDlgItem(any ? IDC_NEXT : IDC_ENTER_IP_ADDRESS))
        target->SetFocus();
}

void CSelectPrinterDlg::OnShowWindow(bool show)
{
    RunState* app = App();
    if (!show || !app)
        return;
    ApplyBackButtonRule(app->backButtonFlag);
    if (enteredAddress == 1) {
        // The printer added by address is not kept once the user comes back here.
        app->printers.RemovePrinter(app->selectedPrinter);
        enteredAddress = 0;
    }
    if (wizard->rediscover == 1) {
        PostMessage(WM_START_SEARCH);
        wizard->rediscover = 0;
        return;
    }
    FillList();
    SetFocusAfterFill();
}

std::intptr_t CSelectPrinterDlg::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message != WM_START_SEARCH)
        return CTemplateDlg::OnMessage(message, wParam, lParam);
    Search();
    SetFocusAfterFill();
    return 0;
}

void CSelectPrinterDlg::Search()
{
    RunState* app = App();
    if (!app)
        return;
    if (CWindow* ipv6 = GetDlgItem(IDC_USE_IPV6))
        ipv6->EnableWindow(false);
    auto discoverNetwork = app->operations.discoverNetwork;
    CWaitDlg wait(this, language);
    // The worker owns the printer list until it is done; the list control is the main
    // thread's, so the worker has it emptied and refilled there.
    wait.Run([this, app, discoverNetwork] {
        CMessageQueue& queue = CMessageQueue::Instance();
        queue.Send([this] {
            if (CListView* list = printerList.List(); list && list->Exists())
                list->DeleteAllItems();
        });
        app->printers.Clear();
        if (discoverNetwork)
            discoverNetwork(*app);
        for (const std::string& mac : app->configuredMacs)
            app->printers.RemovePrintersByMac(mac);
        queue.Send([this] { FillList(); });
    });
}

bool CSelectPrinterDlg::OnCommand(int controlId, int code)
{
    if (code == BN_CLICKED && controlId == IDC_PRINTER_REFRESH) {
        Search();
        SetFocusAfterFill();
        return true;
    }
    if (code == BN_CLICKED && controlId == IDC_ENTER_IP_ADDRESS) {
        EnterAddress();
        return true;
    }
    return CTemplateDlg::OnCommand(controlId, code);
}

void CSelectPrinterDlg::UpdateIpv6Box(int row)
{
    RunState* app = App();
    PrinterEntry entry;
    if (!app || !app->printers.GetPrinter(row, entry))
        return;
    if (CWindow* ipv6 = GetDlgItem(IDC_USE_IPV6))
        ipv6->EnableWindow(!entry.addressIpv4.empty() && !entry.addressIpv6.empty());
}

bool CSelectPrinterDlg::OnNotify(const NotifyInfo& info)
{
    if (info.idFrom != IDC_PRINTER_LIST)
        return CTemplateDlg::OnNotify(info);
    if (info.code == NM_CLICK)
        return printerList.OnClick(info);
    if (info.code == LVN_ITEMCHANGED && info.oldState != info.newState
        && (info.newState & (LVIS_SELECTED | LVIS_FOCUSED)) != 0) {
        UpdateIpv6Box(info.row);
        return true;
    }
    return false;
}

void CSelectPrinterDlg::OnBack()
{
    if (wizard)
        wizard->rediscover = 1;
    CommonBack();
}

void CSelectPrinterDlg::MoveToSettingsPage()
{
    int target = NextSettingsPage(*App(), ChosenOn::SelectionPage);
    if (target != kPageNone)
        wizard->GoToPage(target);
}

void CSelectPrinterDlg::OnNext()
{
    RunState* app = App();
    CListView* list = printerList.List();
    if (!app || !list)
        return;
    int row = list->GetNextItem(-1, LVNI_FOCUSED);
    if (row >= app->printers.Count())
        row = -1;
    for (int i = 0; i < app->printers.Count(); ++i) {
        PrinterEntry entry;
        if (app->printers.GetPrinter(i, entry)) {
            entry.chosen = i == row ? 1 : 0;
            app->printers.ReplacePrinter(i, entry);
        }
    }
    if (row == -1) {
        ShowMessage(language, this, MSG_ERR_NO_PRINTER_SELECTED, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
        if (CWindow* refresh = GetDlgItem(IDC_PRINTER_REFRESH))
            refresh->SetFocus();
        return;
    }
    auto* ipv6 = Item<CButton>(IDC_USE_IPV6);
    if (ipv6 && ipv6->IsWindowEnabled()) {
        PrinterEntry entry;
        if (app->printers.GetPrinter(row, entry)) {
            entry.ipv6Only = ipv6->GetCheck() == 1 ? 1 : 0;
            app->printers.ReplacePrinter(row, entry);
        }
    }
    app->selectedPrinter = row;
    SelectPrinter(app->printers, app->selectedPrinter, app->currentPrinter, row);
    wizard->pageRefreshMask = CWizardFrame::kAllPagesMask;
    MoveToSettingsPage();
}

void CSelectPrinterDlg::EnterAddress()
{
    RunState* app = App();
    if (!app)
        return;
    CEnterIPDlg dialog(app, language);
    if (dialog.Run(this) != IDOK)
        return;
    enteredAddress = 1;
    int index = app->printers.AddTypedPrinter(dialog.address, dialog.macAddress, dialog.options);
    app->selectedPrinter = index;
    SelectPrinter(app->printers, app->selectedPrinter, app->currentPrinter, index);
    wizard->pageRefreshMask = CWizardFrame::kAllPagesMask;
    MoveToSettingsPage();
}

}
