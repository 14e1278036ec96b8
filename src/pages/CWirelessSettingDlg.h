#pragma once

#include "pages/CWLSettingTemplateDlg.h"

#include <string>

namespace plintor {

// The wireless settings page (template 30018): the SSID is typed, then the network type,
// security and key of the shared wireless controls. Next checks the SSID first, then the
// key, stores both into the chosen printer and opens the IP settings page.
class CWirelessSettingDlg : public CWLSettingTemplateDlg {
public:
    const char* ClassName() const override { return "CWirelessSettingDlg"; }

    std::string ssidText;
    CLinkBtn ssidHelp;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    void OnNext() override;
};

}
