#pragma once

#include "pages/CMyListCtrl.h"
#include "settings/ApSurveyResult.h"
#include "settings/SettingsContext.h"

#include <functional>
#include <string>

namespace plintor {

// The access point list of the access point page: the page's list (through the list
// base), the result of the last survey and the USB device of the printer that the survey
// asks.
class CSelectAPList : public CMyListCtrl {
public:
    // Replaces the survey result by what the printer at devicePath answers now. Runs on
    // the wait dialog's worker thread: it touches nothing but the result.
    void Survey();
    // Rows for the surveyed access points, in survey order; an access point whose security
    // or link quality has no display text is left out. Returns the number of rows.
    int FillRows();

    // Members, in this order.
    ApSurveyResult result;
    std::string devicePath;
    SettingsContext context;          // the run's character set and channel waits
    // The run's survey (PrinterOperations::surveyAccessPoints); empty: no answer.
    std::function<void(ApSurveyResult& result, const std::string& devicePath, const SettingsContext& context)>
        survey;
};

}
