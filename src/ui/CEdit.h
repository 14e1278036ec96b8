#pragma once

#include "ui/CWindow.h"

#include <cstddef>

namespace plintor {

// A text field: optional length limit (in characters), password, digits only, multi-line
// read-only. The limit and the digit rule apply to what the user types, as in the dialog
// framework; SetWindowText sets any text and sends no notification.
class CEdit : public CWindow {
public:
    const char* ClassName() const override { return "Edit"; }

    std::size_t LimitText() const { return limit; }   // 0: no limit
    void SetLimitText(std::size_t characters);
    bool IsPassword() const { return HasStyle(StylePassword); }
    bool IsDigitsOnly() const { return HasStyle(StyleDigitsOnly); }
    bool IsReadOnly() const { return HasStyle(StyleReadOnly); }
    bool IsMultiLine() const { return HasStyle(StyleMultiLine); }

    // user: replaces the text with what was typed (non-digits dropped in a digits-only
    // edit, cut to the limit) and sends EN_CHANGE. Nothing happens in a read-only edit or
    // one that cannot take input; returns false then.
    bool UserType(const std::string& typed);

private:
    std::size_t limit = 0;
};

// Counts the Unicode code points of a UTF-8 text.
std::size_t CountCodePoints(const std::string& utf8);
// The first `count` code points of a UTF-8 text.
std::string FirstCodePoints(const std::string& utf8, std::size_t count);

}
