#pragma once

#include "ui/CWindow.h"

namespace plintor {

// Push, default, radio, check box and link buttons. Radio buttons and check boxes check
// themselves when clicked (radio buttons uncheck the others of their group); the parent
// then receives BN_CLICKED.
class CButton : public CWindow {
public:
    const char* ClassName() const override { return "Button"; }

    bool IsRadio() const { return Kind() == ControlKind::RadioButton; }
    bool IsCheckBox() const { return Kind() == ControlKind::CheckBox; }
    bool IsPushButton() const;   // push, default push and link buttons

    int GetCheck() const { return checked; }       // 0 unchecked, 1 checked
    void SetCheck(int state);                      // no notification

    // user: a click. Does nothing while the button cannot take input.
    void Click();

    // The radio buttons of this button's group, in creation order (itself included).
    std::vector<CButton*> RadioGroup() const;

private:
    int checked = 0;
};

}
