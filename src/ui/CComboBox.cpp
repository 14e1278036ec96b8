#include "ui/CComboBox.h"

#include "ui/WindowMessages.h"

namespace plintor {

int CComboBox::AddString(const std::string& itemText)
{
    std::size_t at = items.size();
    if (HasStyle(StyleSorted)) {
        at = 0;
        while (at < items.size() && items[at].text <= itemText)
            ++at;
    }
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), Item{itemText, 0});
    int index = static_cast<int>(at);
    if (selection >= index)
        ++selection;
    Changed(PeerItems | PeerSelection);
    return index;
}

void CComboBox::ResetContent()
{
    if (items.empty() && selection == -1)
        return;
    items.clear();
    selection = -1;
    Changed(PeerItems | PeerSelection);
}

std::string CComboBox::GetLBText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return items[static_cast<std::size_t>(index)].text;
}

bool CComboBox::SetItemData(int index, std::intptr_t data)
{
    if (index < 0 || index >= GetCount())
        return false;
    items[static_cast<std::size_t>(index)].data = data;
    return true;
}

std::intptr_t CComboBox::GetItemData(int index) const
{
    if (index < 0 || index >= GetCount())
        return -1;
    return items[static_cast<std::size_t>(index)].data;
}

int CComboBox::FindItemData(std::intptr_t data) const
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].data == data)
            return static_cast<int>(i);
    return -1;
}

bool CComboBox::SetCurSel(int index)
{
    if (index < -1 || index >= GetCount())
        return false;
    if (selection != index) {
        selection = index;
        Changed(PeerSelection);
    }
    return true;
}

bool CComboBox::UserSelect(int index)
{
    if (!IsEnabledForInput() || index < 0 || index >= GetCount())
        return false;
    SetCurSel(index);
    NotifyParent(CBN_SELCHANGE);
    return true;
}

}
