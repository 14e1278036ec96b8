#pragma once

#include "pages/CWLSettingTemplateDlg.h"

namespace plintor {

// The wireless settings page for an SSID typed on the access point page (template 30019):
// the SSID is shown, not edited; the network type, security and key are chosen here.
class CFixedSSIDWLSettingDLG : public CWLSettingTemplateDlg {
public:
    const char* ClassName() const override { return "CFixedSSIDWLSettingDLG"; }

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    void OnNext() override;
};

}
