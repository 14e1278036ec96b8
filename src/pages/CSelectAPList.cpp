#include "pages/CSelectAPList.h"

#include "platform/AnsiCodePage.h"
#include "settings/KeywordTables.h"
#include "ui/CListView.h"

namespace plintor {

namespace {

// Rows carry the printer list's state mark; an access point is never "chosen".
constexpr int kUnmarked = 1;

}

void CSelectAPList::Survey()
{
    result = ApSurveyResult{};
    if (survey)
        survey(result, devicePath, context);
}

int CSelectAPList::FillRows()
{
    CListView* list = List();
    if (!list)
        return 0;
    int rows = 0;
    for (std::size_t i = 0; i < result.accessPoints.size(); ++i) {
        const AccessPointInfo& accessPoint = result.accessPoints[i];
        const CodedKeyword* security = CodedRowOfCode(ApSecurityTable, accessPoint.securityType);
        const CodedKeyword* quality = CodedRowOfCode(LinkQualityTable, accessPoint.linkQuality);
        if (!security || !quality)
            continue;
        int row = list->InsertItem(rows, platform::CAnsiCodePage::Readable(accessPoint.ssid));
        SetItemText(row, 1, static_cast<StringId>(security->stringId));
        SetItemText(row, 2, static_cast<StringId>(quality->stringId));
        list->SetItemData(row, static_cast<std::intptr_t>(i));
        list->SetRowMark(row, kUnmarked);
        ++rows;
    }
    return rows;
}

}
