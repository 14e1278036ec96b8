#include "ui/CListView.h"

#include "ui/WindowMessages.h"

namespace plintor {

int CListView::InsertColumn(int index, const std::string& title, int width)
{
    if (index < 0 || index > static_cast<int>(columns.size()))
        index = static_cast<int>(columns.size());
    columns.insert(columns.begin() + index, Column{title, width});
    Changed(PeerItems);
    return index;
}

int CListView::InsertItem(int index, const std::string& firstCell)
{
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    Row row;
    row.cells.push_back(firstCell);
    rows.insert(rows.begin() + index, std::move(row));
    ShiftIndexesAfterInsert(index);
    Changed(PeerItems | PeerSelection);
    return index;
}

void CListView::ShiftIndexesAfterInsert(int row)
{
    if (selected >= row)
        ++selected;
    if (focused >= row)
        ++focused;
}

bool CListView::SetItemText(int row, int column, const std::string& cellText)
{
    if (row < 0 || row >= GetItemCount() || column < 0)
        return false;
    auto& cells = rows[static_cast<std::size_t>(row)].cells;
    if (cells.size() <= static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = cellText;
    Changed(PeerItems);
    return true;
}

std::string CListView::GetItemText(int row, int column) const
{
    if (row < 0 || row >= GetItemCount() || column < 0)
        return {};
    const auto& cells = rows[static_cast<std::size_t>(row)].cells;
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                            : std::string();
}

bool CListView::SetItemData(int row, std::intptr_t data)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    rows[static_cast<std::size_t>(row)].data = data;
    return true;
}

std::intptr_t CListView::GetItemData(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    return rows[static_cast<std::size_t>(row)].data;
}

bool CListView::SetRowMark(int row, int mark)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    rows[static_cast<std::size_t>(row)].mark = mark;
    Changed(PeerItems);
    return true;
}

int CListView::RowMark(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return -1;
    return rows[static_cast<std::size_t>(row)].mark;
}

bool CListView::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    rows.erase(rows.begin() + row);
    if (selected == row)
        selected = -1;
    else if (selected > row)
        --selected;
    if (focused == row)
        focused = -1;
    else if (focused > row)
        --focused;
    Changed(PeerItems | PeerSelection);
    return true;
}

void CListView::DeleteAllItems()
{
    if (rows.empty())
        return;
    rows.clear();
    selected = -1;
    focused = -1;
    Changed(PeerItems | PeerSelection);
}

unsigned CListView::GetItemState(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    return (row == selected ? LVIS_SELECTED : 0u) | (row == focused ? LVIS_FOCUSED : 0u);
}

void CListView::ChangeRowState(int row, unsigned newState)
{
    unsigned oldState = GetItemState(row);
    if (oldState == newState)
        return;
    if (newState & LVIS_SELECTED)
        selected = row;
    else if (selected == row)
        selected = -1;
    if (newState & LVIS_FOCUSED)
        focused = row;
    else if (focused == row)
        focused = -1;
    Changed(PeerSelection);
    NotifyInfo info;
    info.code = LVN_ITEMCHANGED;
    info.row = row;
    info.oldState = oldState;
    info.newState = newState;
    NotifyParent(info);
}

bool CListView::SetItemState(int row, unsigned state, unsigned mask)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    mask &= LVIS_SELECTED | LVIS_FOCUSED;
    unsigned wanted = (GetItemState(row) & ~mask) | (state & mask);
    // The row that loses a state to this one is told first, as the list control does.
    if ((wanted & LVIS_SELECTED) && selected >= 0 && selected != row)
        ChangeRowState(selected, GetItemState(selected) & ~LVIS_SELECTED);
    if ((wanted & LVIS_FOCUSED) && focused >= 0 && focused != row)
        ChangeRowState(focused, GetItemState(focused) & ~LVIS_FOCUSED);
    ChangeRowState(row, wanted);
    return true;
}

int CListView::GetNextItem(int start, unsigned flags) const
{
    for (int row = start + 1; row < GetItemCount(); ++row) {
        unsigned state = GetItemState(row);
        if ((flags & LVNI_SELECTED) && !(state & LVIS_SELECTED))
            continue;
        if ((flags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED))
            continue;
        return row;
    }
    return -1;
}

bool CListView::UserClickRow(int row, int column)
{
    if (!IsEnabledForInput() || row < 0 || row >= GetItemCount())
        return false;
    SetFocus();
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NotifyInfo info;
    info.code = NM_CLICK;
    info.row = row;
    info.column = column;
    NotifyParent(info);
    return true;
}

}
