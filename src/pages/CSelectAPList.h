#pragma once

#include "app/LangId.h"
#include "app/StringIds.h"
#include "settings/ApSurveyResult.h"
#include "settings/SettingsContext.h"

#include <functional>
#include <string>

namespace plintor {

class CListView;
class CWindow;

// The access point list of the access point page: the list control of the page (attached
// like a subclassed control), the result of the last survey and the USB device of the
// printer that the survey asks.
class CSelectAPList {
public:
    // Asks the printer at a device path for the access points it hears.
    using SurveyFunction = std::function<bool(ApSurveyResult& result, const std::string& devicePath)>;

    // Attaches to list `controlId` of `page`; texts given by string id load in `listLanguage`.
    bool Attach(CWindow& page, int controlId, LangId listLanguage);
    CListView* Control() const { return list; }

    void InsertColumn(int index, StringId titleId, int width);
    // The selected row, else the focused row, else -1.
    int SelectedRow() const;

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
    SurveyFunction survey;            // empty: the real survey over USB in `context`
    LangId language = 1033;

private:
    CListView* list = nullptr;
};

}
