#include "pages/CSelectAPList.h"

#include "app/StringTable.h"
#include "settings/ApSurvey.h"
#include "settings/KeywordTables.h"
#include "ui/CListView.h"
#include "ui/WindowMessages.h"

namespace plintor {

namespace {

// Rows carry the printer list's state mark; an access point is never "chosen".
constexpr int kUnmarked = 1;

}

bool CSelectAPList::Attach(CWindow& page, int controlId, LangId listLanguage)
{
    list = page.Item<CListView>(controlId);
    language = listLanguage;
    return list != nullptr;
}

void CSelectAPList::InsertColumn(int index, StringId titleId, int width)
{
    if (list)
        list->InsertColumn(index, LoadText(language, titleId), width);
}

int CSelectAPList::SelectedRow() const
{
    if (!list)
        return -1;
    int row = list->GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 ? row : list->GetNextItem(-1, LVNI_FOCUSED);
}

void CSelectAPList::Survey()
{
    result = ApSurveyResult{};
    if (survey)
        survey(result, devicePath);
    else
        SurveyAccessPoints(result, devicePath, context);
}

int CSelectAPList::FillRows()
{
    if (!list)
        return 0;
    int rows = 0;
    for (std::size_t i = 0; i < result.accessPoints.size(); ++i) {
        const AccessPointInfo& accessPoint = result.accessPoints[i];
        const CodedKeyword* security = CodedRowOfCode(ApSecurityTable, accessPoint.securityType);
        const CodedKeyword* quality = CodedRowOfCode(LinkQualityTable, accessPoint.linkQuality);
        if (!security || !quality)
            continue;
        int row = list->InsertItem(rows, accessPoint.ssid);
        list->SetItemText(row, 1, LoadText(language, static_cast<StringId>(security->stringId)));
        list->SetItemText(row, 2, LoadText(language, static_cast<StringId>(quality->stringId)));
        list->SetItemData(row, static_cast<std::intptr_t>(i));
        list->SetRowMark(row, kUnmarked);
        ++rows;
    }
    return rows;
}

}
