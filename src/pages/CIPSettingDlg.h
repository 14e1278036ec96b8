#pragma once

#include "core/WorkingPrinter.h"
#include "pages/CLinkBtn.h"
#include "wizard/CTemplateDlg.h"

#include <cstdint>
#include <string>

namespace plintor {

class CComboBox;
class CIpAddressControl;
struct RunState;

// The IP settings page (template 30003): the IP mode, the IPv4 type with a static
// address, mask and gateway, and a manual IPv6 address with its prefix length and gateway
// for the chosen printer.
//
// The page takes a copy of the chosen printer's entry each time it is shown, loads its
// controls from it only when its refresh bit is set (a new printer was chosen), keeps the
// controls' enabled state in step with the mode, the type and the check box, and writes
// the entry back only on a Next whose values all pass. In the ad hoc case (a wireless
// configuration of an ad hoc network) there is no gateway: both gateway fields are
// hidden, not checked and stored empty, and the IPv4 type defaults to a static address.
class CIPSettingDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CIPSettingDlg"; }

    // Page members.
    WorkingPrinter workingCopy;
    std::string ipv6AddressText;
    std::string prefixLengthText;
    std::string ipv6GatewayText;
    int leftForward = 0;              // 1 after a successful Next, 0 after Back
    CLinkBtn ipModeHelp;
    CLinkBtn ipv4Help;
    CLinkBtn ipv6Help;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    void OnNext() override;
    void OnBack() override;

private:
    CComboBox* ModeBox() const;
    CComboBox* TypeBox() const;
    CIpAddressControl* Address(int controlId) const;

    // The selected row of the mode and type boxes; -1 while nothing is selected.
    int SelectedMode() const;
    int SelectedType() const;
    bool IsAdHoc() const;

    void ApplyModeRule();       // rule 1, then 2 and 3
    void ApplyIpv4Rule();       // rule 2
    void ApplyIpv6Rule();       // rule 3
    void ApplyAdHocDefault();
    void LoadControls();
    void EnableRange(int firstId, int lastId, bool enable);
    void ShowAndEnable(int controlId, bool show, bool enable);

    void TakeControlValues();
    bool Validate();
    bool Refuse(StringId textId, int focusId);
    void StoreValues();
    void MoveOn();
};

}
