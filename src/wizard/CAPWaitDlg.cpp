#include "wizard/CAPWaitDlg.h"

#include "settings/ApSurvey.h"

namespace plintor {

CAPWaitDlg::CAPWaitDlg(CWindow* page, LangId pageLanguage)
    : CWaitDlg(page, pageLanguage, IDS_AP_WAIT_MSG)
{
}

CWaitDlg::Work CAPWaitDlg::SurveyWork(ApSurveyResult& result, std::string devicePath, SettingsContext context)
{
    return [&result, path = std::move(devicePath), context = std::move(context)] {
        SurveyAccessPoints(result, path, context);
    };
}

}
