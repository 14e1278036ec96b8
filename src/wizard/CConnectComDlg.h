#pragma once

#include "wizard/CTemplateDlg.h"

namespace plintor {

// Page 14: a reminder to connect the network cable before the printer search.
class CConnectComDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CConnectComDlg"; }

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    void OnNext() override;
};

}
