#pragma once

#include "core/WirelessSettings.h"
#include "pages/CLinkBtn.h"
#include "pages/CSelectAPList.h"
#include "wizard/CTemplateDlg.h"

#include <string>

namespace plintor {

class CButton;
struct RunState;

// The access point page (template 30017) of a wireless set-up over USB: the printer's
// survey of the access points it hears, shown as a list, or an SSID typed by hand.
//
// While the list radio is checked, every show of the page starts a new survey (by posting
// the start message to itself, so that the page is on screen under the wait dialog), and
// Refresh runs one more. Next takes the chosen access point into the printer's wireless
// settings (its SSID and security; the key comes on the key entry page) or the typed SSID
// with everything else cleared (the rest comes on the fixed-SSID settings page).
class CSelectAPDlg : public CTemplateDlg {
public:
    static constexpr unsigned kStartMessage = WM_USER + 1;

    const char* ClassName() const override { return "CSelectAPDlg"; }

    // Members, in this order.
    int resetFlag = 1;                // 1: the next show starts from the list radio
    int rememberedRow = 0;
    std::string typedSsid;
    CLinkBtn ssidHelp;
    CSelectAPList apList;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    bool OnNotify(const NotifyInfo& info) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnNext() override;
    void OnBack() override;

private:
    bool ListRadioChecked() const;
    bool SsidRadioChecked() const;
    void ApplyRadioRules();
    // Empties the list, surveys the chosen printer behind the wait dialog, fills the list.
    void RefreshList();
    void FillList();
    void Warn(StringId textId, int focusId);
    void Refuse(StringId textId, int focusId);
    void Focus(int controlId);
    void TakeAccessPoint(int row);
    void TakeTypedSsid();
    void ReplaceWireless(const WirelessSettings& wireless);
};

}
