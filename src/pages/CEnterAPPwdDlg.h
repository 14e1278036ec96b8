#pragma once

#include "core/WirelessSettings.h"
#include "wizard/CTemplateDlg.h"

#include <string>

namespace plintor {

struct RunState;

// The key entry page (template 30013): the WEP key or the passphrase of the access point
// chosen on the access point page. Its texts follow the access point's security.
class CEnterAPPwdDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CEnterAPPwdDlg"; }

    // Members, in this order.
    WirelessSettings wireless;        // the chosen entry's, loaded on every show
    std::string keyText;
    FontDesc keyFont;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    void OnNext() override;

private:
    void Refuse(StringId textId);
};

}
