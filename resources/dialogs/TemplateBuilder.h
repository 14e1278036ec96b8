#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "ui/DialogTemplate.h"

// Small helpers for writing layouts; used only by the files of this folder.

namespace plintor::dialogs {

// A control that nobody addresses (a label or a frame).
inline constexpr int IDC_UNADDRESSED = -1;

// Grid shared by the pages: the content area left of the side bar, label and field columns.
inline constexpr int CONTENT_LEFT = 15;
inline constexpr int CONTENT_TOP = 97;
inline constexpr int CONTENT_RIGHT = 283;     // the side bar starts at 290
inline constexpr int WIDE_CONTENT_RIGHT = 410;  // pages without a side bar
inline constexpr int CONTENT_BOTTOM = 290;    // the separator is at 297
inline constexpr int LABEL_HEIGHT = 10;
inline constexpr int FIELD_HEIGHT = 14;       // edits, drop-down lists, address controls
inline constexpr int LINE_HEIGHT = 12;        // radio buttons and check boxes
inline constexpr int BUTTON_HEIGHT = 14;
inline constexpr int LINK_WIDTH = 60;         // "What's this?"
inline constexpr int LABEL_OFFSET = 2;        // a label sits this much below its field's top

struct Rect {
    int x = 0, y = 0, cx = 0, cy = 0;
};

inline ControlTemplate Control(int id, ControlKind kind, Rect r, std::string text = {},
                               std::uint32_t style = StyleNone)
{
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.x = r.x;
    c.y = r.y;
    c.cx = r.cx;
    c.cy = r.cy;
    c.text = std::move(text);
    c.style = style;
    return c;
}

inline ControlTemplate Label(int id, Rect r, std::string text, std::uint32_t style = StyleNone)
{
    return Control(id, ControlKind::Static, r, std::move(text), style);
}

inline ControlTemplate Picture(int id, Rect r, int bitmapId)
{
    ControlTemplate c = Control(id, ControlKind::Bitmap, r);
    c.bitmapId = bitmapId;
    return c;
}

inline ControlTemplate Edit(int id, Rect r, int limit, std::uint32_t style = StyleNone)
{
    ControlTemplate c = Control(id, ControlKind::Edit, r, {}, style);
    c.limit = limit;
    return c;
}

inline ControlTemplate Link(int id, int x, int y)
{
    return Control(id, ControlKind::LinkButton, {x, y, LINK_WIDTH, LINE_HEIGHT}, "What's this?");
}

// A page with the banner, the titles, the separator and the buttons of every page.
enum class SideBar { Without, With };
DialogTemplate PageTemplate(int id, SideBar sideBar);

// Appends the separator and the buttons; pages call it last so that the buttons end the
// tab order.
enum class PageButtons { BackNextCancel, NextCancel, NextOnly };
void AddPageButtons(DialogTemplate& page, PageButtons buttons = PageButtons::BackNextCancel);

DialogTemplate WizardFrameTemplate();
DialogTemplate WelcomeTemplate();
DialogTemplate SelectMethodTemplate();
DialogTemplate ConnectTemplate();
DialogTemplate DisconnectTemplate();
DialogTemplate ConnectComTemplate();
DialogTemplate SelectPrinterTemplate();
DialogTemplate EnterIpTemplate();
DialogTemplate WaitTemplate();
DialogTemplate IpSettingTemplate();
DialogTemplate WirelessSettingTemplate();
DialogTemplate FixedSsidWlSettingTemplate();
DialogTemplate SelectApTemplate();
DialogTemplate EnterApPwdTemplate();
DialogTemplate FaxSettingTemplate();
DialogTemplate CheckFaxSettingTemplate();
DialogTemplate ConfirmConfigTemplate();
DialogTemplate CompleteTemplate();

}
