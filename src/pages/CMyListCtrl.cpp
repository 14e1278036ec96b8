#include "pages/CMyListCtrl.h"

#include "core/StringTable.h"
#include "ui/CListView.h"
#include "ui/WindowMessages.h"

namespace plintor {

void CMyListCtrl::Attach(CListView* listView, LangId listLanguage)
{
    list = listView;
    language = listLanguage;
}

int CMyListCtrl::InsertColumn(int index, StringId titleId, int width)
{
    return list ? list->InsertColumn(index, LoadText(language, titleId), width) : -1;
}

bool CMyListCtrl::SetItemText(int row, int column, StringId textId)
{
    return list && list->SetItemText(row, column, LoadText(language, textId));
}

int CMyListCtrl::GetSelectedRow() const
{
    if (!list)
        return -1;
    int row = list->GetNextItem(-1, LVNI_SELECTED);
    return row != -1 ? row : list->GetNextItem(-1, LVNI_FOCUSED);
}

bool CMyListCtrl::OnClick(const NotifyInfo& click)
{
    if (!list || click.row < 0 || click.row >= list->GetItemCount())
        return false;
    list->SetItemState(click.row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    int columns = static_cast<int>(list->Columns().size());
    OnRowClick(click.row, click.column >= 0 && click.column < columns ? click.column : -1);
    return true;
}

}
