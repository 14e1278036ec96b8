#pragma once

#include "pages/CFAXSettingTemplateDlg.h"


namespace plintor {

// The FAX settings page of "/run:flow" (template 30016): the same controls in a group,
// and the box "I don't use FAX functionality", which switches the printer's FAX off and,
// in a run that configures nothing but FAX, ends the run without a confirmation page.
class CCheckFAXSettingDlg : public CFAXSettingTemplateDlg {
public:
    // Refresh bit of the box (set from the entry's faxEnabled).
    static constexpr int kBoxBitPage = 8;

    CCheckFAXSettingDlg();
    const char* ClassName() const override { return "CCheckFAXSettingDlg"; }


protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    StringId SideMessageId() const override;
    void ApplyDrpdRule() override;
    void OnNext() override;

private:
    bool BoxChecked() const;
    // Disables the FAX fields while the box is checked; enables them (the ring pattern
    // only for DRPD) when it is not. The "What's this?" buttons stay enabled.
    void ApplyBoxRule();
};

}
