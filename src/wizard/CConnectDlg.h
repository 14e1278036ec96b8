#pragma once

#include "wizard/CConnectTemplateDlg.h"

namespace plintor {

// Page 2: asks the user to connect the printer with the USB cable.
class CConnectDlg : public CConnectTemplateDlg {
public:
    const char* ClassName() const override { return "CConnectDlg"; }

protected:
    bool OnInitDialog() override;
};

}
