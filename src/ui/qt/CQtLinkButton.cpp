#include "ui/qt/CQtLinkButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace plintor::qt {

namespace {

constexpr int kTextInset = 4;
constexpr int kFocusInset = 2;

}

CQtLinkButton::CQtLinkButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

int CQtLinkButton::DrawState() const
{
    if (!isEnabled())
        return 3;
    if (isDown())
        return 1;
    if (hasFocus())
        return 2;
    return 0;
}

QSize CQtLinkButton::sizeHint() const
{
    QFont f = font();
    f.setUnderline(true);
    const QFontMetrics metrics(f);
    return QSize(metrics.horizontalAdvance(text()) + 2 * kTextInset, metrics.height() + 2 * kTextInset);
}

void CQtLinkButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect whole = rect();
    painter.fillRect(whole, Qt::white);
    QFont f = font();
    f.setUnderline(true);
    painter.setFont(f);
    const int state = DrawState();
    painter.setPen(state == 3 ? palette().color(QPalette::Disabled, QPalette::WindowText) : QColor(0, 0, 255));
    const QRect textRect = whole.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset);
    // The mnemonic marker is not drawn; "&&" shows one ampersand.
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine | Qt::TextDontClip, text());
    if (state == 1 || state == 2) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = whole.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        option.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

}
