#pragma once

#include "core/WorkingPrinter.h"
#include "pages/CLinkBtn.h"
#include "wizard/CTemplateDlg.h"

#include <cstdint>
#include <string>

namespace plintor {

class CButton;
class CComboBox;
class CEdit;
struct RunState;

// The common base of the two wireless settings pages (templates 30018 and 30019): the
// network type, the security protocol, the WEP key index and the key of the chosen
// printer's wireless settings.
//
// The controls follow three rules. The security list offers the WPA rows only in an
// infrastructure network; the key area (label, length limit, which controls take input)
// follows the security selection; the key index list offers "Auto" only in an
// infrastructure network. A page loads its controls from its working copy (Load), checks
// them (Validate) and writes them into the working copy and the printer list (Store); the
// page classes add the SSID around these three.
class CWLSettingTemplateDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CWLSettingTemplateDlg"; }

    // Members, in this order.
    WorkingPrinter workingCopy;       // the chosen entry, taken on every show
    std::string keyText;              // the key edit's text
    std::intptr_t keyIndex = 0;       // the remembered key index, 0 (automatic) to 4
    CLinkBtn networkTypeHelp;
    CLinkBtn securityHelp;
    FontDesc keyFont;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int controlId, int code) override;

    // Fills the controls from the working copy.
    virtual void Load();
    // Checks the controls; shows the message of the first failure and answers false.
    virtual bool Validate();
    // Writes the controls into the working copy and the working copy into entry
    // `entryIndex` of the printer list; false when nothing may be stored.
    virtual bool Store(int entryIndex);

    // Takes the chosen entry into the working copy (nothing changes without one).
    void TakeWorkingCopy();
    // Reads the key edit into keyText.
    void TakeKeyText();
    // Validate and Store for the chosen printer, then the IP settings page.
    void ValidateStoreAndMoveOn();
    // An input error (title "Input Error", exclamation icon) with the focus on `focusId`.
    void Refuse(StringId textId, int focusId);

    CComboBox* SecurityBox() const;
    CComboBox* KeyIndexBox() const;
    CEdit* KeyEdit() const;
    bool IsAdHocChecked() const;
    int SelectedSecurity() const;     // -1 while nothing is selected

    void ApplySecurityListRule();     // rule 1, then rule 2
    void ApplyKeyAreaRule();          // rule 2
    // Rule 3; with ReadSelection::No the remembered index is kept as it is.
    enum class ReadSelection { Yes, No };
    void ApplyKeyIndexRule(ReadSelection read = ReadSelection::Yes);

private:
    void ShowNetworkTypeGuide();
    void ShowSecurityGuide();
};

}
