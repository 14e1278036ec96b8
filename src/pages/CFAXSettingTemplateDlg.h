#pragma once

#include "config/FaxTables.h"
#include "core/WorkingPrinter.h"
#include "pages/CLinkBtn.h"
#include "ui/WindowMessages.h"
#include "wizard/CTemplateDlg.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

class CComboBox;
struct RunState;

// The common part of the two FAX pages (templates 30012 and 30016): the region, line
// type, dial type, receive mode and ring pattern lists, the company name and fax number,
// and their seven "What's this?" buttons.
//
// The lists are filled once, when the page's window is made, from the codes that the
// configuration offers (a code without a table row is left out); each item carries its
// code. Every show takes a fresh copy of the chosen printer's entry, but the controls are
// loaded from it only when the FAX load bit of the frame's refresh mask is set (a new
// printer was chosen), so that what the user entered survives Back and Next. A failed
// FAX read is reported once, by a message the page posts to itself on the show after it.
class CFAXSettingTemplateDlg : public CTemplateDlg {
public:
    // The page's own message: the FAX read failed.
    static constexpr unsigned kMsgFaxReadFailed = WM_USER + 1;
    // The receive mode code of distinctive ring detection: only it uses a ring pattern.
    static constexpr std::uint32_t kReceiveModeDrpd = 5;
    // Refresh bit of the FAX values (both pages load on it).
    static constexpr int kLoadBitPage = 7;

    const char* ClassName() const override { return "CFAXSettingTemplateDlg"; }

    // The field rules: up to 23 characters from space to tilde; up to 20 digits, spaces
    // and plus signs. Empty texts pass both.
    static bool IsValidCompanyName(const std::string& name);
    static bool IsValidFaxNumber(const std::string& number);

    // Page members.
    WorkingPrinter workingCopy;
    std::string companyNameText;
    std::string faxNumberText;
    std::array<CLinkBtn, 7> helpButtons;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The side-bar message of the page.
    virtual StringId SideMessageId() const = 0;
    // Brings the enabled state of the ring pattern pair in line with the receive mode.
    virtual void ApplyDrpdRule();

    CComboBox* Box(int controlId) const;
    int SelectedCode(int controlId) const;  // -1 without a selection
    void EnableControl(int controlId, bool enable);

    // Reads the edits into companyNameText and faxNumberText.
    void TakeControlValues();
    // Checks the company name, then the fax number; the first refused value shows its
    // message and gets the focus.
    bool Validate();
    // Writes the selected codes and the texts into entry `index` of the printer list;
    // nothing when any list has no selection. faxEnabled is left as it is.
    bool StoreValues(int index);

private:
    void FillList(int controlId, const std::vector<std::int32_t>& codes, FaxTableKind kind);
    void FillRegions();
    void LoadControls();
    bool Refuse(StringId textId, int focusId);
};

}
