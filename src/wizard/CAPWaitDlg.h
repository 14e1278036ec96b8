#pragma once

#include "wizard/CWaitDlg.h"

namespace plintor {

// The "please wait" popup of the access point page: the same dialog as CWaitDlg with the
// text "Searching for Access Point. Please wait.", over the printer's survey of the
// access points it hears.
class CAPWaitDlg : public CWaitDlg {
public:
    CAPWaitDlg(CWindow* ownerPage, LangId language);
    const char* ClassName() const override { return "CAPWaitDlg"; }
};

}
