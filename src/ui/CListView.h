#pragma once

#include "ui/CWindow.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

// A report-style list view with one selection: columns with widths (pixels, as the list
// takes them), rows of cell texts with item data, a state mark, the selected and the
// focused row. Every change of a row's selected or focused state sends LVN_ITEMCHANGED to
// the parent, programmatic or not, as the list control does.
class CListView : public CWindow {
public:
    struct Column {
        std::string text;
        int width = 0;
    };
    struct Row {
        std::vector<std::string> cells;
        std::intptr_t data = 0;
        int mark = 0;           // state image index: 0 none, 1 unmarked, 2 marked, ...
    };

    const char* ClassName() const override { return "SysListView32"; }

    int InsertColumn(int index, const std::string& title, int width);
    const std::vector<Column>& Columns() const { return columns; }

    int InsertItem(int index, const std::string& firstCell);   // the new row's index
    bool SetItemText(int row, int column, const std::string& cellText);
    std::string GetItemText(int row, int column) const;
    bool SetItemData(int row, std::intptr_t data);
    std::intptr_t GetItemData(int row) const;                  // 0 outside the list
    bool SetRowMark(int row, int mark);
    int RowMark(int row) const;                                // -1 outside the list
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(rows.size()); }
    const std::vector<Row>& Rows() const { return rows; }

    // Sets or clears LVIS_SELECTED and LVIS_FOCUSED of `row` (those in `mask`); a row that
    // becomes selected or focused takes that state from the row that had it.
    bool SetItemState(int row, unsigned state, unsigned mask);
    unsigned GetItemState(int row) const;
    // The first row after `start` (-1: from the top) with the LVNI_* flags; -1 when none.
    int GetNextItem(int start, unsigned flags) const;
    int SelectedRow() const { return selected; }
    int FocusedRow() const { return focused; }

    // user: a click on `row` (and `column`, -1 none): selects and focuses the row, then
    // sends NM_CLICK. False when the row is outside the list or input cannot reach it.
    bool UserClickRow(int row, int column = 0);

private:
    void ChangeRowState(int row, unsigned newState);
    void ShiftIndexesAfterInsert(int row);

    std::vector<Column> columns;
    std::vector<Row> rows;
    int selected = -1;
    int focused = -1;
};

}
