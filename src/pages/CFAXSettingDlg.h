#pragma once

#include "pages/CFAXSettingTemplateDlg.h"

namespace plintor {

// The FAX settings page (template 30012), shown when "/run:" is "top" or not given.
class CFAXSettingDlg : public CFAXSettingTemplateDlg {
public:
    const char* ClassName() const override { return "CFAXSettingDlg"; }

protected:
    StringId SideMessageId() const override;
    void OnNext() override;
};

}
