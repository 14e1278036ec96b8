// The look of the Windows front end's windows: colours answered in WM_CTLCOLOR*, pages
// white unless the model paints them otherwise, fonts made at the window's DPI, pictures
// loaded from the program's resources at the control's pixel size, the owner-drawn link,
// and the setters that carry the model's properties to the system's controls.

#include "ui/win32/NativeLook.h"

#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Utf16.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace plintor::win32 {

namespace {

constexpr COLORREF kPageColour = RGB(255, 255, 255);

std::map<std::tuple<std::wstring, int, int, bool>, HFONT> fonts;
std::map<COLORREF, HBRUSH> brushes;

COLORREF ToColorRef(std::uint32_t colour)
{
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

HBRUSH BrushOf(COLORREF colour)
{
    auto found = brushes.find(colour);
    if (found != brushes.end())
        return found->second;
    HBRUSH brush = CreateSolidBrush(colour);
    brushes[colour] = brush;
    return brush;
}

// Dots per inch of the monitor the window is on (the system's since Windows 10, 1607).
UINT DpiOf(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && window)
        if (UINT dpi = getDpi(window))
            return dpi;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// A system metric at the window's DPI (the system's own DPI before Windows 10, 1607).
int MetricOf(HWND window, int index)
{
    using GetMetricForDpiFn = int(WINAPI*)(int, UINT);
    static const auto getMetric = reinterpret_cast<GetMetricForDpiFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return getMetric ? getMetric(index, DpiOf(window)) : GetSystemMetrics(index);
}

// The background a dialog paints: the model's colour, white for a page, else the system's.
HBRUSH DialogBrush(HWND dialog, COLORREF& colour)
{
    auto found = Looks().find(dialog);
    if (found != Looks().end() && found->second.background != kNoColour) {
        colour = ToColorRef(found->second.background);
        return BrushOf(colour);
    }
    if (IsChildWindow(dialog)) {
        colour = kPageColour;
        return BrushOf(colour);
    }
    return nullptr;
}

}

std::unordered_map<HWND, Look>& Looks()
{
    static std::unordered_map<HWND, Look> looks;
    return looks;
}

const Look* FindLook(HWND window)
{
    auto found = Looks().find(window);
    return found == Looks().end() ? nullptr : &found->second;
}

void ForgetLook(HWND window)
{
    auto found = Looks().find(window);
    if (found == Looks().end())
        return;
    if (found->second.kind == ControlKind::Bitmap) {
        // The control holds the bitmap it was given or a copy of it; neither goes with it.
        HANDLE held = reinterpret_cast<HANDLE>(SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (held)
            DeleteObject(held);
        if (found->second.image && found->second.image != held)
            DeleteObject(found->second.image);
    } else if (found->second.kind == ControlKind::Dialog) {
        // A window does not destroy the icons it was given when it goes.
        for (WPARAM which : {ICON_BIG, ICON_SMALL})
            if (HANDLE icon = reinterpret_cast<HANDLE>(SendMessageW(window, WM_SETICON, which, 0)))
                DestroyIcon(static_cast<HICON>(icon));
    }
    Looks().erase(found);
}

void ReleaseLookResources()
{
    for (auto& [key, font] : fonts)
        DeleteObject(font);
    fonts.clear();
    for (auto& [colour, brush] : brushes)
        DeleteObject(brush);
    brushes.clear();
}

INT_PTR DialogColours(HWND dialog)
{
    COLORREF colour = 0;
    return reinterpret_cast<INT_PTR>(DialogBrush(dialog, colour));
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsChildWindow(HWND window)
{
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
}

INT_PTR ControlColours(HWND dialog, HDC dc, HWND control)
{
    COLORREF pageColour = 0;
    HBRUSH pageBrush = DialogBrush(dialog, pageColour);
    auto found = Looks().find(control);
    const Look* look = found == Looks().end() ? nullptr : &found->second;
    if (look && look->text != kNoColour)
        SetTextColor(dc, ToColorRef(look->text));
    if (look && look->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    if (look && look->background != kNoColour) {
        SetBkColor(dc, ToColorRef(look->background));
        return reinterpret_cast<INT_PTR>(BrushOf(ToColorRef(look->background)));
    }
    if (pageBrush) {
        SetBkColor(dc, pageColour);
        return reinterpret_cast<INT_PTR>(pageBrush);
    }
    if (look && look->text != kNoColour) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
}

void DrawLink(HWND dialog, const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    auto found = Looks().find(item.hwndItem);
    const Look* look = found == Looks().end() ? nullptr : &found->second;
    COLORREF pageColour = GetSysColor(COLOR_BTNFACE);
    HBRUSH fill = DialogBrush(dialog, pageColour);
    if (look && look->background != kNoColour)
        fill = BrushOf(ToColorRef(look->background));
    FillRect(dc, &area, fill ? fill : GetSysColorBrush(COLOR_BTNFACE));

    LOGFONTW description{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    GetObjectW(current ? static_cast<HGDIOBJ>(current) : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
               &description);
    description.lfUnderline = TRUE;
    HFONT underlined = CreateFontIndirectW(&description);
    HGDIOBJ previous = SelectObject(dc, underlined);
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = look && look->text != kNoColour ? ToColorRef(look->text) : GetSysColor(COLOR_HOTLIGHT);
    if (item.itemState & ODS_DISABLED)
        colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    const std::wstring text = TextOf(item.hwndItem);
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextW(dc, text.c_str(), -1, &area, format);
    if (item.itemState & ODS_FOCUS) {
        RECT extent = area;
        DrawTextW(dc, text.c_str(), -1, &extent, format | DT_CALCRECT);
        extent.top = area.top;
        extent.bottom = area.bottom;
        InflateRect(&extent, 1, 0);
        DrawFocusRect(dc, &extent);
    }
    SelectObject(dc, previous);
    DeleteObject(underlined);
}

std::vector<HWND> AddressFields(HWND address)
{
    std::vector<HWND> fields;
    for (HWND child = GetWindow(address, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return fields;
}

void SetNativeText(NativeWindow window, ControlKind kind, const std::string& text)
{
    HWND handle = static_cast<HWND>(window);
    const std::wstring wide = WideFromUtf8(text);
    if (kind == ControlKind::Edit) {
        if (TextOf(handle) == wide)
            return;
        SetWindowTextW(handle, wide.c_str());
        SendMessageW(handle, EM_SETSEL, wide.size(), static_cast<LPARAM>(wide.size()));
        return;
    }
    SetWindowTextW(handle, wide.c_str());
    if (kind == ControlKind::LinkButton)
        InvalidateRect(handle, nullptr, TRUE);
}

void SetNativeEnabled(NativeWindow window, bool enabled)
{
    EnableWindow(static_cast<HWND>(window), enabled ? TRUE : FALSE);
}

void SetNativeVisible(NativeWindow window, bool visible)
{
    HWND handle = static_cast<HWND>(window);
    if (!visible) {
        ShowWindow(handle, SW_HIDE);
        return;
    }
    if (IsChildWindow(handle)) {
        ShowWindow(handle, SW_SHOW);
        return;
    }
    Look& look = Looks()[handle];
    if (!look.placed) {
        look.placed = true;
        RECT area{};
        HWND owner = GetWindow(handle, GW_OWNER);
        if (owner && IsWindowVisible(owner))
            GetWindowRect(owner, &area);
        else
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        RECT own{};
        GetWindowRect(handle, &own);
        const int width = own.right - own.left, height = own.bottom - own.top;
        SetWindowPos(handle, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(handle, SW_SHOW);
    SetForegroundWindow(handle);
    SetActiveWindow(handle);
}

void SetNativeGeometry(NativeWindow window, const int (&rect)[4], NativeWindow unitsOf, bool topLevel)
{
    HWND handle = static_cast<HWND>(window);
    auto found = Looks().find(handle);
    const bool comboBox = found != Looks().end() && found->second.kind == ControlKind::ComboBox;
    RECT area{rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3] + (comboBox ? DROP_DOWN_LIST_HEIGHT : 0)};
    MapDialogRect(static_cast<HWND>(unitsOf), &area);
    if (topLevel) {
        RECT frame{0, 0, area.right - area.left, area.bottom - area.top};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE)));
        SetWindowPos(handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    int height = area.bottom - area.top;
    // An etched line draws a dark and a light line: one pixel would keep only the light one.
    if (found != Looks().end() && found->second.kind == ControlKind::EtchedLine)
        height = std::max(height, 2);
    SetWindowPos(handle, nullptr, area.left, area.top, area.right - area.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetNativeFont(NativeWindow window, const std::string& face, int points, int weight, bool underline)
{
    HWND handle = static_cast<HWND>(window);
    const int height = -MulDiv(points, static_cast<int>(DpiOf(handle)), 72);
    const auto key = std::make_tuple(WideFromUtf8(face), height, weight, underline);
    HFONT& font = fonts[key];
    if (!font)
        font = CreateFontW(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           std::get<0>(key).c_str());
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetNativeColours(NativeWindow window, std::uint32_t text, std::uint32_t background, bool transparent)
{
    HWND handle = static_cast<HWND>(window);
    Look& look = Looks()[handle];
    look.text = text;
    look.background = background;
    look.transparent = transparent;
    InvalidateRect(handle, nullptr, TRUE);
}

void SetNativePicture(NativeWindow window, ControlKind kind, int resourceId)
{
    HWND handle = static_cast<HWND>(window);
    Look& look = Looks()[handle];
    HINSTANCE program = GetModuleHandleW(nullptr);
    if (kind == ControlKind::Dialog) {
        const int sizes[2][2] = {{SM_CXICON, SM_CYICON}, {SM_CXSMICON, SM_CYSMICON}};
        const WPARAM which[2] = {ICON_BIG, ICON_SMALL};
        for (int i = 0; i < 2; ++i) {
            HANDLE icon = resourceId ? LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                  MetricOf(handle, sizes[i][0]), MetricOf(handle, sizes[i][1]), 0)
                                     : nullptr;
            if (HANDLE old = reinterpret_cast<HANDLE>(SendMessageW(handle, WM_SETICON, which[i],
                                                                    reinterpret_cast<LPARAM>(icon))))
                DestroyIcon(static_cast<HICON>(old));
        }
        look.picture = resourceId;
        return;
    }
    if (kind != ControlKind::Bitmap)
        return;
    RECT area{};
    GetClientRect(handle, &area);
    HANDLE bitmap = nullptr;
    if (resourceId && area.right > 0 && area.bottom > 0)
        bitmap = LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, area.right, area.bottom,
                            LR_CREATEDIBSECTION);
    // The control may hold a copy of what it was given; both go.
    HANDLE old = reinterpret_cast<HANDLE>(SendMessageW(handle, STM_SETIMAGE, IMAGE_BITMAP,
                                                       reinterpret_cast<LPARAM>(bitmap)));
    if (old)
        DeleteObject(old);
    if (look.image && look.image != old)
        DeleteObject(look.image);
    look.image = bitmap;
    look.picture = resourceId;
}

void SetNativeChecked(NativeWindow button, bool checked)
{
    SendMessageW(static_cast<HWND>(button), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetNativeLimit(NativeWindow edit, std::size_t characters)
{
    SendMessageW(static_cast<HWND>(edit), EM_SETLIMITTEXT, characters, 0);
}

void SetNativeComboItems(NativeWindow comboBox, const std::vector<std::string>& items)
{
    HWND handle = static_cast<HWND>(comboBox);
    SendMessageW(handle, CB_RESETCONTENT, 0, 0);
    // Inserted at their places: the model has sorted them already.
    for (std::size_t i = 0; i < items.size(); ++i)
        SendMessageW(handle, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(WideFromUtf8(items[i]).c_str()));
}

void SetNativeComboSelection(NativeWindow comboBox, int index)
{
    SendMessageW(static_cast<HWND>(comboBox), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SetNativeListItems(NativeWindow list, const std::vector<NativeColumn>& columns,
                        const std::vector<std::vector<std::string>>& rows)
{
    HWND handle = static_cast<HWND>(list);
    SendMessageW(handle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageW(handle, LVM_DELETECOLUMN, 0, 0)) {
    }
    const int dpi = static_cast<int>(DpiOf(handle));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::wstring title = WideFromUtf8(columns[c].text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = MulDiv(columns[c].width, dpi, 96);
        column.iSubItem = static_cast<int>(c);
        SendMessageW(handle, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            std::wstring cell = WideFromUtf8(rows[r][c]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = cell.data();
            SendMessageW(handle, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : r,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(handle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle, nullptr, TRUE);
}

void SetNativeListSelection(NativeWindow list, int selected, int focused)
{
    HWND handle = static_cast<HWND>(list);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (focused >= 0) {
        state.stateMask = LVIS_FOCUSED;
        state.state = LVIS_FOCUSED;
        SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&state));
    }
    if (selected >= 0) {
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
        SendMessageW(handle, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    }
}

void SetNativeAddress(NativeWindow address, const std::array<int, 4>& fields)
{
    const std::vector<HWND> edits = AddressFields(static_cast<HWND>(address));
    for (std::size_t i = 0; i < edits.size() && i < fields.size(); ++i) {
        const std::wstring text = fields[i] < 0 ? std::wstring() : std::to_wstring(fields[i]);
        if (TextOf(edits[i]) != text)
            SetWindowTextW(edits[i], text.c_str());
    }
}

void SetNativeFocus(NativeWindow window, ControlKind kind)
{
    HWND handle = static_cast<HWND>(window);
    // The focus inside the window already (a field of an address control) stays where it is.
    HWND focus = GetFocus();
    if (focus && (focus == handle || IsChild(handle, focus)))
        return;
    if (kind == ControlKind::IpAddress) {
        const std::vector<HWND> edits = AddressFields(handle);
        if (!edits.empty())
            handle = edits.front();
    }
    SetFocus(handle);
}

}
