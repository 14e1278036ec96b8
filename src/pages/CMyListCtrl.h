#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"

#include <string>

namespace plintor {

class CListView;
struct NotifyInfo;

// The pages' list base: it takes over the report list of a page at the page's
// initialisation and adds column titles and cell texts by string id (loaded in
// `language`), the row the user means (selected, else focused), and the row-click
// handling: a click anywhere on a row selects and focuses it and calls OnRowClick with
// the row and the column under the click (-1 when none). The list window itself stays
// the window model's; this object only works on it.
class CMyListCtrl {
public:
    virtual ~CMyListCtrl() = default;

    // Works on `list` from now on (null: none); texts come in `listLanguage`.
    void Attach(CListView* list, LangId listLanguage);
    CListView* List() const { return list; }

    // Appends or inserts a column whose title is string `titleId`; its index, -1 without a list.
    int InsertColumn(int index, StringId titleId, int width);
    // Sets a cell to string `textId`; false outside the list.
    bool SetItemText(int row, int column, StringId textId);
    // The selected row, else the focused row, else -1.
    int GetSelectedRow() const;

    // NM_CLICK from the list. True when the click hit a row.
    bool OnClick(const NotifyInfo& click);

    LangId language = LANG_ENGLISH_US;

protected:
    // A row was clicked; `column` is -1 when the click was right of the last column.
    virtual void OnRowClick(int row, int column) { (void)row; (void)column; }

private:
    CListView* list = nullptr;
};

}
