#include "ui/CButton.h"

#include "ui/WindowMessages.h"

namespace plintor {

bool CButton::IsPushButton() const
{
    return Kind() == ControlKind::PushButton || Kind() == ControlKind::DefaultPushButton
        || Kind() == ControlKind::LinkButton;
}

void CButton::SetCheck(int state)
{
    state = state != 0 ? 1 : 0;
    if (checked == state)
        return;
    checked = state;
    Changed(PeerChecked);
}

std::vector<CButton*> CButton::RadioGroup() const
{
    // A group runs from a control with the group style up to the next one, as the dialog
    // manager reads the tab order.
    std::vector<CButton*> group;
    if (!Parent())
        return group;
    const auto& siblings = Parent()->Children();
    std::size_t start = 0;
    std::size_t self = siblings.size();
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i]->HasStyle(StyleGroup) && self == siblings.size())
            start = i;
        if (siblings[i] == this)
            self = i;
    }
    if (self == siblings.size())
        return group;
    for (std::size_t i = start; i < siblings.size(); ++i) {
        if (i > start && siblings[i]->HasStyle(StyleGroup))
            break;
        if (auto* button = dynamic_cast<CButton*>(siblings[i]); button && button->IsRadio())
            group.push_back(button);
    }
    return group;
}

void CButton::Click()
{
    if (!IsEnabledForInput())
        return;
    if (IsCheckBox()) {
        SetCheck(checked ? 0 : 1);
    } else if (IsRadio()) {
        for (CButton* other : RadioGroup())
            if (other != this)
                other->SetCheck(0);
        SetCheck(1);
    }
    NotifyParent(BN_CLICKED);
}

}
