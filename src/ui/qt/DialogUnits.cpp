#include "ui/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>
#include <QString>

#include <algorithm>

namespace plintor::qt {

namespace {

// Rounds units * numerator / denominator to the nearest integer, halves away from zero,
// as the dialog manager's scaling does.
int Scale(int units, int numerator, int denominator)
{
    const long long product = static_cast<long long>(units) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

bool IsDialogFace(const std::string& face)
{
    return face.empty() || face == "MS Shell Dlg" || face == "MS Shell Dlg 2" || face == "MS Sans Serif"
        || face == "Tahoma" || face == "Microsoft Sans Serif" || face == "Segoe UI";
}

}

QFont FontFromDesc(const FontDesc& desc)
{
    QFont font;
    if (IsDialogFace(desc.face)) {
        // The sans-serif faces a Linux desktop usually has, in order of likeness.
        font.setFamilies(QStringList{QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Noto Sans"), QStringLiteral("FreeSans")});
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(QString::fromStdString(desc.face));
    }
    font.setPointSize(desc.height > 0 ? desc.height : 8);
    font.setWeight(desc.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setUnderline(desc.underline);
    return font;
}

DialogUnits::DialogUnits(const QFont& dialogFont)
{
    const QFontMetrics metrics(dialogFont);
    // The average width of the 52 Latin letters, rounded.
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth = std::max(1, (alphabet / 26 + 1) / 2);
    charHeight = std::max(1, metrics.height());
}

int DialogUnits::X(int units) const
{
    return Scale(units, charWidth, 4);
}

int DialogUnits::Y(int units) const
{
    return Scale(units, charHeight, 8);
}

QRect DialogUnits::ToPixels(const WindowRect& rect) const
{
    // Edges are scaled, not sizes, so that adjoining controls stay adjoined.
    const int left = X(rect.x), top = Y(rect.y);
    return QRect(left, top, X(rect.x + rect.cx) - left, Y(rect.y + rect.cy) - top);
}

}
