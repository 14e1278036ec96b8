#pragma once

#include "settings/SettingsContext.h"
#include "wizard/CWaitDlg.h"

#include <string>

namespace plintor {

struct ApSurveyResult;

// The "please wait" popup of the access point page: the same dialog as CWaitDlg with the
// text "Searching for Access Point. Please wait.", over the printer's survey of the
// access points it hears.
class CAPWaitDlg : public CWaitDlg {
public:
    CAPWaitDlg(CWindow* ownerPage, LangId language);
    const char* ClassName() const override { return "CAPWaitDlg"; }

    // The survey as the worker's work: asks the USB printer at `devicePath` and fills
    // `result`, the page's record, which the main thread leaves alone while the dialog
    // shows. The survey's own result is not examined.
    static Work SurveyWork(ApSurveyResult& result, std::string devicePath, SettingsContext context);
};

}
