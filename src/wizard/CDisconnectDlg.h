#pragma once

#include "wizard/CConnectTemplateDlg.h"

namespace plintor {

// Page 3: several printers are connected; asks the user to leave only one.
class CDisconnectDlg : public CConnectTemplateDlg {
public:
    const char* ClassName() const override { return "CDisconnectDlg"; }

protected:
    bool OnInitDialog() override;
};

}
