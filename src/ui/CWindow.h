#pragma once

#include "ui/DialogTemplate.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plintor {

struct NotifyInfo;

// A window of the model: a dialog or one of its controls. The model is the truth; a front
// end mirrors it through its peer and turns user input into the calls marked "user" below,
// which run the same notifications a test sends. Windows live on the main thread; a worker
// thread only uses PostMessage and SendMessage (see CMessageQueue).
//
// The C++ object and its window are distinct, as in the dialog framework: a page object is
// built with the frame, its window exists from Create until DestroyWindow.

using WindowHandle = std::uint64_t;

// A colour as 0xRRGGBB; kDefaultColour leaves the front end's own colour.
using Colour = std::uint32_t;
constexpr Colour kDefaultColour = 0xFF000000u;

struct FontDesc {
    std::string face = "MS Shell Dlg";
    int height = 8;          // points
    int weight = 400;        // 400 normal, 700 bold
    bool underline = false;
    bool operator==(const FontDesc&) const = default;
};

struct WindowRect {
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units, relative to the parent
    bool operator==(const WindowRect&) const = default;
};

// What changed in a window, as told to the front end's UpdatePeer.
enum PeerChange : unsigned {
    PeerText = 1u << 0,
    PeerEnabled = 1u << 1,
    PeerVisible = 1u << 2,
    PeerGeometry = 1u << 3,
    PeerFont = 1u << 4,
    PeerColours = 1u << 5,
    PeerImage = 1u << 6,
    PeerChecked = 1u << 7,     // buttons
    PeerItems = 1u << 8,       // combo box items, list view columns and rows, IP fields
    PeerSelection = 1u << 9,   // combo box selection, list view selection and focus row
    PeerFocus = 1u << 10,      // this window received the keyboard focus
    PeerLimit = 1u << 11,      // edit length limit
};

class CWindow {
public:
    CWindow();
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // The window's handle, 0 while no window exists. Safe to read from any thread.
    WindowHandle Handle() const { return handle.load(); }
    bool Exists() const { return Handle() != 0; }
    static CWindow* FromHandle(WindowHandle handle);  // main thread; null when gone

    int Id() const { return id; }
    ControlKind Kind() const { return kind; }
    std::uint32_t Style() const { return style; }
    bool HasStyle(std::uint32_t flag) const { return (style & flag) != 0; }
    virtual const char* ClassName() const { return "CWnd"; }

    CWindow* Parent() const { return parent; }
    CWindow* Owner() const { return owner; }      // top-level dialogs: the window they belong to
    CWindow* TopLevel();                         // the outermost parent
    const std::vector<CWindow*>& Children() const { return children; }
    // The child with this id, searched among the direct children; null when there is none.
    CWindow* GetDlgItem(int controlId) const;
    template <class T> T* Item(int controlId) const { return dynamic_cast<T*>(GetDlgItem(controlId)); }

    const std::string& GetWindowText() const { return text; }
    virtual void SetWindowText(const std::string& newText);

    bool IsWindowEnabled() const { return enabled; }
    void EnableWindow(bool enable);
    // True when this window and all its parents are enabled (input reaches it).
    bool IsEnabledForInput() const;

    bool IsWindowVisible() const { return visible; }     // the window's own flag
    bool IsShownOnScreen() const;                        // it and all its parents visible
    void ShowWindow(bool show);

    const WindowRect& GetRect() const { return rect; }
    void MoveWindow(const WindowRect& newRect);

    const FontDesc& GetFont() const { return font; }
    void SetFont(const FontDesc& newFont);

    Colour TextColour() const { return textColour; }
    Colour BackgroundColour() const { return backgroundColour; }
    bool TransparentBackground() const { return transparent; }
    void SetColours(Colour textColour, Colour background, bool transparentBackground = false);

    // The picture resource of a Bitmap control, or a dialog's window icon; 0 none.
    int BitmapId() const { return bitmapId; }
    void SetBitmap(int bitmapResourceId);

    // Keyboard focus: one window of the program holds it.
    void SetFocus();
    static CWindow* GetFocus();
    bool HasFocus() const { return GetFocus() == this; }
    void UserSetFocus() { SetFocus(); }                  // user: focus moved here

    // Delivers a message on the calling thread when it is the main thread; from a worker
    // the call blocks until the main thread has run it (bounded, see CMessageQueue).
    std::intptr_t SendMessage(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Queues a message for the main thread; safe from any thread. A message for a window
    // that is gone when its turn comes is dropped.
    void PostMessage(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    static void PostMessage(WindowHandle target, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    // The window procedure: controls ignore messages, dialogs dispatch them.
    virtual std::intptr_t WindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    // Destroys the window and its children (child dialogs included); the object stays.
    void DestroyWindow();

    // Room for the front end's peer; the model never reads it.
    void* peer = nullptr;

    // Builds a control of the template's kind as a child of `parentWindow`.
    static CWindow* CreateControl(const ControlTemplate& control, CWindow& parentWindow);

protected:
    // Makes this object's window: registers a handle and links it into `parentWindow`.
    void AttachWindow(CWindow* parentWindow, int windowId, ControlKind windowKind,
                      const WindowRect& windowRect, const std::string& windowText,
                      std::uint32_t windowStyle);
    // Tells the front end what changed (nothing before the peer exists).
    void Changed(unsigned what);
    // Sends WM_COMMAND with this control's id and `code` to the parent.
    void NotifyParent(int code);
    // Sends WM_NOTIFY with `info` (idFrom filled in) to the parent.
    void NotifyParent(const NotifyInfo& info);
    virtual void OnDestroy() {}

    CWindow* owner = nullptr;

private:
    friend class CDialog;
    void SetPeerLive(bool live);

    std::atomic<WindowHandle> handle{0};
    int id = -1;
    ControlKind kind = ControlKind::Static;
    std::uint32_t style = StyleNone;
    CWindow* parent = nullptr;
    std::vector<CWindow*> children;
    std::vector<std::unique_ptr<CWindow>> ownedControls;
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool peerLive = false;
    WindowRect rect;
    FontDesc font;
    Colour textColour = kDefaultColour;
    Colour backgroundColour = kDefaultColour;
    bool transparent = false;
    int bitmapId = 0;
};

}
