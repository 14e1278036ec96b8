#include "pages/CLinkBtn.h"

#include "ui/CButton.h"

namespace plintor {

namespace {

WindowRect Shrunk(const WindowRect& rect, int by)
{
    return {rect.x + by, rect.y + by, rect.cx - 2 * by, rect.cy - 2 * by};
}

}

bool CLinkBtn::Attach(CWindow& page, int controlId)
{
    button = page.Item<CButton>(controlId);
    if (!button)
        return false;
    FontDesc underlined = button->GetFont();
    underlined.underline = true;
    button->SetFont(underlined);
    button->SetColours(kLinkColour, kFillColour);
    return true;
}

int CLinkBtn::StateOf(bool enabled, bool pressed, bool focused)
{
    if (!enabled)
        return kDisabled;
    if (pressed)
        return kPressed;
    return focused ? kFocused : kNormal;
}

CLinkBtn::Drawing CLinkBtn::Describe(const WindowRect& rect, bool enabled, bool pressed, bool focused)
{
    Drawing drawing;
    drawing.state = StateOf(enabled, pressed, focused);
    drawing.greyText = !enabled;
    drawing.text = enabled ? kLinkColour : kGreyTextColour;
    drawing.textRect = Shrunk(rect, kTextInset);
    drawing.focusRect = pressed || focused;
    if (drawing.focusRect)
        drawing.focusRectangle = Shrunk(rect, kFocusInset);
    return drawing;
}

}
