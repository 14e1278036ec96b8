#pragma once

#include "ui/CWindow.h"

namespace plintor {

class CButton;

// The link-style "What's this?" button of the settings pages. It is attached to a link
// button control of a page (as a member of the page, like a subclassed control): attaching
// underlines the control's font and gives it the link colours, so that every front end
// shows it from the model's font and colour properties. A click reaches the page as the
// button's BN_CLICKED.
//
// Drawing (the front end's part): fill the whole rectangle white; the text in blue, or in
// the system's grey-text colour when the button is disabled, left-aligned inside the
// rectangle shrunk by 4 units on each side; when the button is pressed or has the focus,
// a focus rectangle inside the rectangle shrunk by 2 units. Describe() gives exactly this.
class CLinkBtn {
public:
    static constexpr Colour kLinkColour = 0x0000FF;      // red 0, green 0, blue 255
    static constexpr Colour kFillColour = 0xFFFFFF;
    static constexpr Colour kGreyTextColour = 0x808080;  // where the system has none
    static constexpr int kTextInset = 4;
    static constexpr int kFocusInset = 2;

    // The drawing state.
    enum DrawState : int {
        kNormal = 0,
        kPressed = 1,
        kFocused = 2,
        kDisabled = 3,
    };

    struct Drawing {
        int state = kNormal;
        Colour fill = kFillColour;
        Colour text = kLinkColour;
        bool greyText = false;          // draw the text in the system's grey-text colour
        WindowRect textRect;            // the text, left-aligned in it
        bool focusRect = false;
        WindowRect focusRectangle;
    };

    // Attaches to control `controlId` of `page`; false when the page has no such button.
    bool Attach(CWindow& page, int controlId);
    CButton* Control() const { return button; }

    static int StateOf(bool enabled, bool pressed, bool focused);
    // How a button with this rectangle and state is drawn.
    static Drawing Describe(const WindowRect& rect, bool enabled, bool pressed, bool focused);

private:
    CButton* button = nullptr;
};

}
