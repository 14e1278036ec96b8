#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"
#include "ui/CDialog.h"

#include <cstdint>
#include <string>

namespace plintor {

struct RunState;

// The modal "Enter IP Address" dialog (template 30011) of the selection page. OK checks
// the typed address in order (usable address, the printer there is supported, its MAC
// address, its capability when IP settings are configured) and closes only when all
// pass; each failure shows its message ("Input Error") and keeps the dialog open.
class CEnterIPDlg : public CDialog {
public:
    CEnterIPDlg(RunState* app, LangId language);
    const char* ClassName() const override { return "CEnterIPDlg"; }

    // Runs the dialog over `owner`; IDOK when a printer was found at the typed address.
    int Run(CWindow* owner);

    // Members, in this order.
    std::string address;        // the typed address, once OK succeeded
    std::string macAddress;     // found for that address
    std::int32_t options = -1;  // the capability value, -1 until asked
    LangId language = LANG_ENGLISH_US;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(StringId messageId);

    RunState* app = nullptr;
};

}
