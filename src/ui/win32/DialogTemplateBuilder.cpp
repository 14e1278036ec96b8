// Extended dialog templates in memory, laid out as the platform documents DLGTEMPLATEEX
// and DLGITEMTEMPLATEEX: little-endian fields, strings and class or resource ordinals as
// sz_Or_Ord arrays of 16-bit units, the font block present when the style holds DS_SETFONT
// (DS_SHELLFONT when the face is the shell's dialog face), and each item DWORD aligned.

#include "ui/win32/DialogTemplateBuilder.h"

#include "ui/win32/Utf16.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace plintor::win32 {

namespace {

constexpr std::uint16_t ORDINAL = 0xFFFF;
// The predefined classes' atoms, which a template may name instead of the class name.
constexpr std::uint16_t BUTTON_ATOM = 0x0080;
constexpr std::uint16_t EDIT_ATOM = 0x0081;
constexpr std::uint16_t STATIC_ATOM = 0x0082;
constexpr std::uint16_t COMBO_BOX_ATOM = 0x0085;

class TemplateWriter {
public:
    void Word(std::uint16_t value)
    {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value)
    {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void Byte(std::uint8_t value) { bytes.push_back(value); }

    // A zero-terminated UTF-16 string from UTF-8 text.
    void Text(const std::string& utf8)
    {
        for (wchar_t unit : WideFromUtf8(utf8))
            Word(static_cast<std::uint16_t>(unit));
        Word(0);
    }
    void Ordinal(std::uint16_t value)
    {
        Word(ORDINAL);
        Word(value);
    }
    void AlignDword()
    {
        while (bytes.size() % 4 != 0)
            bytes.push_back(0);
    }
    std::size_t Size() const { return bytes.size(); }
    std::vector<std::uint8_t> Take() { return std::move(bytes); }

private:
    std::vector<std::uint8_t> bytes;
};

bool IsShellFace(const std::string& face)
{
    return face == "MS Shell Dlg" || face == "MS Shell Dlg 2";
}

std::uint32_t DialogStyle(const DialogTemplate& layout)
{
    std::uint32_t style = IsShellFace(layout.fontFace) ? DS_SHELLFONT : DS_SETFONT;
    if (layout.child)
        // A page inside the frame: part of the frame's tab order and keyboard handling.
        style |= WS_CHILD | DS_CONTROL;
    else
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    return style;
}

struct ItemClass {
    std::uint16_t atom = 0;      // a predefined class, or 0
    const wchar_t* name = nullptr;  // a registered class otherwise
    std::uint32_t style = 0;
};

ItemClass ClassOf(const ControlTemplate& control)
{
    const std::uint32_t tabStop = WS_TABSTOP;
    switch (control.kind) {
    case ControlKind::Static: {
        std::uint32_t style = SS_LEFT;
        if (control.style & StyleCenter)
            style = SS_CENTER;
        else if (control.style & StyleRight)
            style = SS_RIGHT;
        else if (control.style & StyleNoWrap)
            style = SS_LEFTNOWORDWRAP;
        return {STATIC_ATOM, nullptr, style};
    }
    case ControlKind::Bitmap:
        // The picture is set by the front end; it is stretched to the control.
        return {STATIC_ATOM, nullptr, SS_BITMAP | SS_REALSIZECONTROL};
    case ControlKind::EtchedLine:
        return {STATIC_ATOM, nullptr, SS_ETCHEDHORZ};
    case ControlKind::GroupBox:
        return {BUTTON_ATOM, nullptr, BS_GROUPBOX};
    case ControlKind::PushButton:
        return {BUTTON_ATOM, nullptr, BS_PUSHBUTTON | tabStop};
    case ControlKind::DefaultPushButton:
        return {BUTTON_ATOM, nullptr, BS_DEFPUSHBUTTON | tabStop};
    case ControlKind::RadioButton:
        // Within a group of radio buttons only the first is a tab stop; the arrow keys
        // move between the others.
        return {BUTTON_ATOM, nullptr,
                static_cast<std::uint32_t>(BS_AUTORADIOBUTTON) | ((control.style & StyleGroup) ? tabStop : 0u)};
    case ControlKind::CheckBox:
        return {BUTTON_ATOM, nullptr, BS_AUTOCHECKBOX | tabStop};
    case ControlKind::LinkButton:
        return {BUTTON_ATOM, nullptr, BS_OWNERDRAW | tabStop};
    case ControlKind::Edit: {
        std::uint32_t style = WS_BORDER | tabStop;
        if (control.style & StyleMultiLine)
            style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        else
            style |= ES_AUTOHSCROLL;
        if (control.style & StylePassword)
            style |= ES_PASSWORD;
        if (control.style & StyleDigitsOnly)
            style |= ES_NUMBER;
        if (control.style & StyleReadOnly)
            style |= ES_READONLY;
        return {EDIT_ATOM, nullptr, style};
    }
    case ControlKind::ComboBox:
        return {COMBO_BOX_ATOM, nullptr,
                CBS_DROPDOWNLIST | WS_VSCROLL | tabStop
                    | ((control.style & StyleSorted) ? static_cast<std::uint32_t>(CBS_SORT) : 0u)};
    case ControlKind::ListView:
        return {0, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | tabStop};
    case ControlKind::IpAddress:
        return {0, WC_IPADDRESSW, tabStop};
    case ControlKind::Dialog:
        break;
    }
    return {STATIC_ATOM, nullptr, SS_LEFT};
}

std::uint32_t CommonStyle(const ControlTemplate& control)
{
    std::uint32_t style = WS_CHILD;
    if (!(control.style & StyleHidden))
        style |= WS_VISIBLE;
    if (control.style & StyleDisabled)
        style |= WS_DISABLED;
    if (control.style & StyleGroup)
        style |= WS_GROUP;
    if (control.style & StyleVScroll)
        style |= WS_VSCROLL;
    return style;
}

void WriteItem(TemplateWriter& out, const ControlTemplate& control)
{
    const ItemClass itemClass = ClassOf(control);
    out.AlignDword();
    out.Dword(0);  // help context id
    out.Dword(0);  // extended style
    out.Dword(CommonStyle(control) | itemClass.style);
    out.Short(control.x);
    out.Short(control.y);
    out.Short(control.cx);
    out.Short(control.kind == ControlKind::ComboBox ? control.cy + DROP_DOWN_LIST_HEIGHT : control.cy);
    out.Dword(static_cast<std::uint32_t>(control.id));  // -1 stays 0xFFFFFFFF: no id
    if (itemClass.atom != 0) {
        out.Ordinal(itemClass.atom);
    } else {
        for (const wchar_t* unit = itemClass.name; *unit != L'\0'; ++unit)
            out.Word(static_cast<std::uint16_t>(*unit));
        out.Word(0);
    }
    out.Text(control.text);
    out.Word(0);  // no creation data
}

}

std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& layout)
{
    TemplateWriter out;
    out.Word(1);        // dlgVer
    out.Word(ORDINAL);  // signature: an extended template
    out.Dword(0);       // help context id
    out.Dword(layout.child ? WS_EX_CONTROLPARENT : 0u);
    out.Dword(DialogStyle(layout));
    out.Word(static_cast<std::uint16_t>(layout.controls.size()));
    out.Short(0);  // x, y: a page is placed by its frame, a dialog is centred
    out.Short(0);
    out.Short(layout.cx);
    out.Short(layout.cy);
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(layout.caption);
    out.Word(static_cast<std::uint16_t>(layout.fontPoints));
    out.Word(FW_NORMAL);
    out.Byte(0);  // not italic
    out.Byte(DEFAULT_CHARSET);
    out.Text(layout.fontFace);
    for (const ControlTemplate& control : layout.controls)
        WriteItem(out, control);
    return out.Take();
}

}
