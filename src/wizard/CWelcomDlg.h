#pragma once

#include "wizard/CTemplateDlg.h"

namespace plintor {

// Page 0: which kind of configuration to do (IP always; wireless and FAX when the
// configuration offers them). Next stays disabled until a kind is picked.
class CWelcomDlg : public CTemplateDlg {
public:
    const char* ClassName() const override { return "CWelcomDlg"; }

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    void OnNext() override;
};

}
