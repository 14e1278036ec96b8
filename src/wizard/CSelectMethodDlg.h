#pragma once

#include "wizard/CTemplateDlg.h"

namespace plintor {

// Page 1: is the printer on the network already? "Yes" leads to the network check page;
// "No" searches the USB printers at once and goes on by their number: the first settings
// page for exactly one, else the cable page (none) or the disconnect page (several).
class CSelectMethodDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CSelectMethodDlg"; }

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    void OnNext() override;
};

}
