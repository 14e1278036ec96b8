#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plintor {

// A dialog layout as the resources hold it: the dialog's rectangle in dialog units and
// its controls in creation (tab) order. Templates are looked up by id and exact language
// (see resources/); the window model builds windows from them.

enum class ControlKind {
    Static,          // text
    Bitmap,          // static picture; `bitmapId` names the bitmap resource
    EtchedLine,      // horizontal separator
    GroupBox,
    PushButton,
    DefaultPushButton,
    RadioButton,     // `group` starts a new group of radio buttons
    CheckBox,
    LinkButton,      // owner-drawn link ("What's this?")
    Edit,
    ComboBox,        // drop-down list
    ListView,        // report style
    IpAddress,       // four fields, each possibly blank
    Dialog,          // not in layouts: the kind of a dialog window itself
};

// The kinds the user operates (clicks, types into, chooses from): every control but texts,
// pictures, lines, group boxes and a dialog itself.
constexpr bool IsInputKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::Bitmap:
    case ControlKind::EtchedLine:
    case ControlKind::GroupBox:
    case ControlKind::Dialog:
        return false;
    default:
        return true;
    }
}

enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    StyleHidden = 1u << 0,      // created invisible
    StyleDisabled = 1u << 1,    // created disabled
    StyleGroup = 1u << 2,       // first control of a group (radio buttons, tab stops)
    StylePassword = 1u << 3,    // edit shows bullets
    StyleDigitsOnly = 1u << 4,  // edit accepts 0-9 only
    StyleMultiLine = 1u << 5,   // edit spans lines
    StyleReadOnly = 1u << 6,
    StyleSorted = 1u << 7,      // combo box keeps its items sorted by text
    StyleVScroll = 1u << 8,
    StyleCenter = 1u << 9,      // static text centred
    StyleRight = 1u << 10,      // static text right-aligned
    StyleNoWrap = 1u << 11,
};

struct ControlTemplate {
    int id = -1;                 // -1: a control nobody addresses (group frame, label)
    ControlKind kind = ControlKind::Static;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string text;            // initial text, UTF-8
    std::uint32_t style = StyleNone;
    int bitmapId = 0;            // Bitmap only
    int limit = 0;               // Edit: most characters, 0 = no limit
};

struct DialogTemplate {
    int id = 0;
    int cx = 0, cy = 0;          // dialog units
    std::string caption;
    std::string fontFace = "MS Shell Dlg";
    int fontPoints = 8;
    bool child = true;           // page (child) or top-level / modal dialog
    std::vector<ControlTemplate> controls;
};

}
