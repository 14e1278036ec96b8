#pragma once

#include "ui/CWindow.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

// A drop-down list: items with texts and item data, optionally sorted by text.
class CComboBox : public CWindow {
public:
    struct Item {
        std::string text;
        std::intptr_t data = 0;
    };

    const char* ClassName() const override { return "ComboBox"; }

    // Appends (or, sorted, inserts in order) and returns the new item's index.
    int AddString(const std::string& itemText);
    void ResetContent();
    int GetCount() const { return static_cast<int>(items.size()); }
    std::string GetLBText(int index) const;            // empty outside the list
    bool SetItemData(int index, std::intptr_t data);
    std::intptr_t GetItemData(int index) const;        // -1 outside the list
    int FindItemData(std::intptr_t data) const;        // -1 when absent
    const std::vector<Item>& Items() const { return items; }

    int GetCurSel() const { return selection; }        // -1 none
    bool SetCurSel(int index);                         // no notification; -1 clears

    // user: picks an item and sends CBN_SELCHANGE. False when the index is outside the
    // list or the box cannot take input.
    bool UserSelect(int index);

private:
    std::vector<Item> items;
    int selection = -1;
};

}
