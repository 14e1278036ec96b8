#pragma once

#include "ui/CWindow.h"

#include <QFont>
#include <QRect>

namespace plintor::qt {

// The desktop font for a font of the model: the dialog faces of the layouts ("MS Shell
// Dlg", "Tahoma", ...) become the desktop's sans-serif face, at the same point size.
QFont FontFromDesc(const FontDesc& desc);

// Dialog units of one dialog, from its font, by the dialog manager's rule: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth of
// its character height.
class DialogUnits {
public:
    DialogUnits() = default;
    explicit DialogUnits(const QFont& dialogFont);

    int AverageCharWidth() const { return charWidth; }
    int CharHeight() const { return charHeight; }

    int X(int units) const;
    int Y(int units) const;
    QRect ToPixels(const WindowRect& rect) const;

private:
    int charWidth = 6;
    int charHeight = 13;
};

}
