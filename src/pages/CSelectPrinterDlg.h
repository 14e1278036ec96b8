#pragma once

#include "pages/CSelectPrinterList.h"
#include "wizard/CTemplateDlg.h"

#include <string>

namespace plintor {

struct RunState;
class CListView;
struct PrinterEntry;

// Page 4: the user picks the printer to configure from those that discovery found, or
// adds one by typing its address. Showing the page runs discovery the first time (and
// after Back or "Set another printer"): the page posts itself WM_USER+1, which runs the
// search behind the wait dialog; the search's worker empties and refills the list
// through the main thread. Next marks the focused row as the chosen printer and goes on
// to the first settings page of the configuration.
class CSelectPrinterDlg : public CTemplateDlg {
public:
    static constexpr unsigned WM_START_SEARCH = WM_USER + 1;

    const char* ClassName() const override { return "CSelectPrinterDlg"; }

    // Rebuilds the rows from the printer list, selects and focuses row 0 (main thread).
    void FillList();
    // The address column of an entry: "IPv4 / IPv6", either one alone, or empty.
    static std::string AddressText(const PrinterEntry& entry);
    // "AA:BB:CC:DD:EE:FF" from 12 digits.
    static std::string MacText(const std::string& mac);

    // Members.
    CSelectPrinterList printerList;
    int enteredAddress = 0;   // 1 after a printer added by address was moved on from

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    bool OnNotify(const NotifyInfo& info) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnBack() override;
    void OnNext() override;

private:
    void Search();
    void EnterAddress();
    void SetFocusAfterFill();
    void MoveToSettingsPage();
    void UpdateIpv6Box(int row);
};

}
