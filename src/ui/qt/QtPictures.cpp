#include "ui/qt/QtPictures.h"

#include "resources/dialogs/DialogIds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>

namespace plintor::qt {

namespace {

const QColor kBannerDark(0x0b, 0x2d, 0x5e);
const QColor kBannerLight(0x2f, 0x6f, 0xb8);
const QColor kBody(0xe9, 0xec, 0xf1);
const QColor kBodyEdge(0x5a, 0x63, 0x70);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kAccent(0x2f, 0x8f, 0xd8);
const QColor kCable(0x33, 0x33, 0x33);
const QColor kGood(0x2e, 0xa0, 0x4f);
const QColor kBad(0xd0, 0x32, 0x2b);

// A multifunction printer: scanner lid, body, output tray and a sheet of paper, in `r`.
void DrawPrinter(QPainter& p, const QRectF& r, const QColor& body = kBody)
{
    const qreal w = r.width(), h = r.height();
    p.save();
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, w / 60)));
    // Paper coming out at the top.
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + w * 0.28, r.top(), w * 0.44, h * 0.30));
    p.setPen(QPen(QColor(0xb0, 0xb8, 0xc4), std::max<qreal>(1.0, w / 90)));
    for (int i = 1; i <= 3; ++i)
        p.drawLine(QPointF(r.left() + w * 0.33, r.top() + h * 0.07 * i),
                   QPointF(r.left() + w * 0.67, r.top() + h * 0.07 * i));
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, w / 60)));
    // Scanner lid and body.
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, body.lighter(108));
    shade.setColorAt(1, body.darker(118));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(r.left() + w * 0.05, r.top() + h * 0.22, w * 0.90, h * 0.16), w * 0.03, w * 0.03);
    p.drawRoundedRect(QRectF(r.left(), r.top() + h * 0.36, w, h * 0.52), w * 0.05, w * 0.05);
    // Output slot and tray.
    p.setBrush(QColor(0x40, 0x46, 0x50));
    p.drawRect(QRectF(r.left() + w * 0.18, r.top() + h * 0.58, w * 0.64, h * 0.05));
    p.setBrush(body.darker(108));
    p.drawRoundedRect(QRectF(r.left() + w * 0.14, r.top() + h * 0.86, w * 0.72, h * 0.12), w * 0.02, w * 0.02);
    // Panel: a small display and a lamp.
    p.setBrush(kAccent);
    p.drawRect(QRectF(r.left() + w * 0.66, r.top() + h * 0.42, w * 0.20, h * 0.09));
    p.setBrush(kGood);
    p.drawEllipse(QRectF(r.left() + w * 0.08, r.top() + h * 0.43, w * 0.06, w * 0.06));
    p.restore();
}

// A desktop computer: monitor on a stand.
void DrawComputer(QPainter& p, const QRectF& r)
{
    const qreal w = r.width(), h = r.height();
    p.save();
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, w / 50)));
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(r.left(), r.top(), w, h * 0.72), w * 0.05, w * 0.05);
    QLinearGradient screen(r.topLeft(), r.bottomRight());
    screen.setColorAt(0, kBannerLight);
    screen.setColorAt(1, kBannerDark);
    p.setBrush(screen);
    p.drawRect(QRectF(r.left() + w * 0.08, r.top() + h * 0.08, w * 0.84, h * 0.54));
    p.setBrush(kBody);
    p.drawRect(QRectF(r.left() + w * 0.42, r.top() + h * 0.72, w * 0.16, h * 0.16));
    p.drawRoundedRect(QRectF(r.left() + w * 0.22, r.top() + h * 0.88, w * 0.56, h * 0.10), w * 0.03, w * 0.03);
    p.restore();
}

// A cable drawn as a smooth curve from `a` to `b`.
void DrawCable(QPainter& p, QPointF a, QPointF b, qreal width, const QColor& colour = kCable)
{
    QPainterPath path(a);
    const qreal dx = (b.x() - a.x()) / 2;
    path.cubicTo(QPointF(a.x() + dx, a.y()), QPointF(b.x() - dx, b.y()), b);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.restore();
}

// A USB plug whose tip points right, centred on `c`.
void DrawUsbPlug(QPainter& p, QPointF c, qreal size)
{
    p.save();
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, size / 12)));
    p.setBrush(QColor(0x50, 0x55, 0x5e));
    p.drawRoundedRect(QRectF(c.x() - size, c.y() - size * 0.35, size, size * 0.7), size * 0.1, size * 0.1);
    p.setBrush(QColor(0xc8, 0xcc, 0xd2));
    p.drawRect(QRectF(c.x(), c.y() - size * 0.25, size * 0.6, size * 0.5));
    p.restore();
}

// A network (RJ45) plug whose latch points up, in `r`.
void DrawNetworkPlug(QPainter& p, const QRectF& r)
{
    const qreal w = r.width(), h = r.height();
    p.save();
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, w / 30)));
    p.setBrush(QColor(0xd8, 0xe8, 0xf4, 230));
    p.drawRoundedRect(QRectF(r.left(), r.top() + h * 0.15, w, h * 0.55), w * 0.06, w * 0.06);
    p.drawRect(QRectF(r.left() + w * 0.3, r.top(), w * 0.4, h * 0.18));
    p.setPen(QPen(QColor(0xc8, 0x9a, 0x2a), std::max<qreal>(1.0, w / 25)));
    for (int i = 0; i < 8; ++i) {
        const qreal x = r.left() + w * (0.15 + 0.1 * i);
        p.drawLine(QPointF(x, r.top() + h * 0.2), QPointF(x, r.top() + h * 0.34));
    }
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, w / 30)));
    p.setBrush(kAccent);
    p.drawRect(QRectF(r.left() + w * 0.25, r.top() + h * 0.70, w * 0.5, h * 0.30));
    p.restore();
}

// A disc of `colour` around `c`, with the white pen set for the mark drawn on it; the
// caller restores the painter.
void BeginBadge(QPainter& p, QPointF c, qreal size, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, size, size);
    p.setPen(QPen(Qt::white, size / 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void DrawTick(QPainter& p, QPointF c, qreal size)
{
    BeginBadge(p, c, size, kGood);
    QPainterPath tick(QPointF(c.x() - size * 0.45, c.y()));
    tick.lineTo(QPointF(c.x() - size * 0.1, c.y() + size * 0.38));
    tick.lineTo(QPointF(c.x() + size * 0.5, c.y() - size * 0.35));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.restore();
}

void DrawCross(QPainter& p, QPointF c, qreal size)
{
    BeginBadge(p, c, size, kBad);
    const qreal d = size * 0.42;
    p.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
    p.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
    p.restore();
}

void BannerGradient(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kBannerLight);
    g.setColorAt(1, kBannerDark);
    p.fillRect(r, g);
}

void DrawBannerBackground(QPainter& p, const QRectF& r)
{
    BannerGradient(p, r);
    // A thin light line along the bottom edge.
    p.fillRect(QRectF(r.left(), r.bottom() - std::max<qreal>(2, r.height() / 24), r.width(),
                      std::max<qreal>(2, r.height() / 24)),
               QColor(0x8c, 0xc4, 0xf2));
}

void DrawBannerLeft(QPainter& p, const QRectF& r)
{
    DrawBannerBackground(p, r);
    const qreal side = std::min(r.width(), r.height()) * 0.78;
    DrawPrinter(p, QRectF(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side));
}

void DrawBannerRight(QPainter& p, const QRectF& r)
{
    DrawBannerBackground(p, r);
    // Waves of a signal going out to the right.
    p.save();
    p.setBrush(Qt::NoBrush);
    const QPointF origin(r.left() + r.width() * 0.3, r.center().y());
    for (int i = 1; i <= 4; ++i) {
        QColor c(0xff, 0xff, 0xff, 230 - 40 * i);
        p.setPen(QPen(c, std::max<qreal>(1.5, r.height() / 20), Qt::SolidLine, Qt::RoundCap));
        const qreal rad = r.height() * 0.10 * i;
        p.drawArc(QRectF(origin.x() - rad, origin.y() - rad, 2 * rad, 2 * rad), -50 * 16, 100 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(origin, r.height() * 0.06, r.height() * 0.06);
    p.restore();
}

// Pictures of the connection pages: `r` is the whole picture.
void DrawMethodNetwork(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 10, r.height() / 8);
    const QRectF printer(r.left() + u * 0.3, r.top() + u * 2, u * 4.4, u * 4.4);
    // A hub with cables to the printer.
    const QRectF hub(r.right() - u * 3.8, r.top() + u * 4.2, u * 3.5, u * 1.4);
    DrawCable(p, QPointF(printer.right() - u * 0.2, printer.top() + u * 3), QPointF(hub.left(), hub.center().y()),
              u * 0.25, kAccent);
    DrawPrinter(p, printer);
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, u / 8)));
    p.setBrush(kBody);
    p.drawRoundedRect(hub, u * 0.2, u * 0.2);
    p.setBrush(kGood);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(hub.left() + u * (0.35 + 0.75 * i), hub.top() + u * 0.45, u * 0.45, u * 0.5));
    // A globe above the hub.
    const QPointF globe(hub.center().x(), r.top() + u * 2.0);
    QRadialGradient g(globe, u * 1.4);
    g.setColorAt(0, kBannerLight.lighter(140));
    g.setColorAt(1, kBannerLight);
    p.setBrush(g);
    p.setPen(QPen(kBannerDark, std::max<qreal>(1.0, u / 8)));
    p.drawEllipse(globe, u * 1.4, u * 1.4);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe, u * 0.6, u * 1.4);
    p.drawLine(QPointF(globe.x() - u * 1.4, globe.y()), QPointF(globe.x() + u * 1.4, globe.y()));
    p.drawLine(QPointF(globe.x(), globe.y() + u * 1.4), QPointF(globe.x(), hub.top()));
}

void DrawMethodUsb(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 10, r.height() / 8);
    const QRectF computer(r.left() + u * 0.3, r.top() + u * 1.5, u * 4, u * 3.6);
    const QRectF printer(r.right() - u * 4.6, r.top() + u * 2.5, u * 4.3, u * 4.3);
    DrawCable(p, QPointF(computer.center().x(), computer.bottom()), QPointF(printer.left() + u * 0.3,
              printer.top() + u * 3.2), u * 0.22);
    DrawComputer(p, computer);
    DrawPrinter(p, printer);
    DrawUsbPlug(p, QPointF(printer.left() + u * 0.1, printer.top() + u * 3.2), u * 0.7);
}

void DrawConnectUsb(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 16, r.height() / 12);
    const QRectF computer(r.left() + u * 0.5, r.top() + u * 2.5, u * 6, u * 5.4);
    const QRectF printer(r.right() - u * 6.8, r.top() + u * 3.5, u * 6.3, u * 6.3);
    const QPointF plug(r.center().x() + u * 1.6, r.top() + u * 8.2);
    DrawCable(p, QPointF(computer.center().x(), computer.bottom()), QPointF(plug.x() - u, plug.y()), u * 0.35);
    DrawComputer(p, computer);
    DrawPrinter(p, printer);
    DrawUsbPlug(p, plug, u * 1.1);
    // An arrow: push the plug in.
    p.save();
    p.setPen(QPen(kAccent, u * 0.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF a(plug.x() - u * 0.8, plug.y() - u * 1.6), b(plug.x() + u * 1.2, plug.y() - u * 1.6);
    p.drawLine(a, b);
    p.drawLine(b, QPointF(b.x() - u * 0.6, b.y() - u * 0.5));
    p.drawLine(b, QPointF(b.x() - u * 0.6, b.y() + u * 0.5));
    p.restore();
}

void DrawDisconnect(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 16, r.height() / 12);
    const QRectF computer(r.left() + u * 5, r.top() + u * 0.4, u * 6, u * 5);
    const QRectF kept(r.left() + u * 0.6, r.top() + u * 6, u * 5.2, u * 5.2);
    const QRectF removed(r.right() - u * 5.8, r.top() + u * 6, u * 5.2, u * 5.2);
    DrawCable(p, QPointF(computer.left() + u, computer.bottom() - u), QPointF(kept.center().x(), kept.top() + u * 2),
              u * 0.3);
    DrawCable(p, QPointF(computer.right() - u, computer.bottom() - u),
              QPointF(removed.center().x(), removed.top() + u * 2), u * 0.3, QColor(0xaa, 0xaa, 0xaa));
    DrawComputer(p, computer);
    DrawPrinter(p, kept);
    DrawPrinter(p, removed, QColor(0xd4, 0xd6, 0xda));
    DrawTick(p, QPointF(kept.right() - u * 0.4, kept.top() + u * 1.6), u * 0.9);
    DrawCross(p, QPointF(removed.right() - u * 0.4, removed.top() + u * 1.6), u * 0.9);
}

void DrawNetworkCable(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 13, r.height() / 12);
    DrawCable(p, QPointF(r.center().x(), r.top() + u * 7.5), QPointF(r.center().x() + u * 5, r.bottom()),
              u * 0.7, kAccent);
    DrawNetworkPlug(p, QRectF(r.center().x() - u * 2.2, r.top() + u * 1.2, u * 4.4, u * 6.6));
}

void DrawNetworkPrinter(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width() / 13, r.height() / 12);
    const QRectF printer(r.left() + u * 0.8, r.top() + u * 1.5, u * 9, u * 9);
    DrawPrinter(p, printer);
    // The network port on the printer's side, with a lamp.
    const QRectF port(printer.right() - u * 2.2, printer.top() + u * 5.6, u * 1.5, u * 1.2);
    p.setPen(QPen(kBodyEdge, std::max<qreal>(1.0, u / 6)));
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(port);
    p.setBrush(kGood);
    p.drawEllipse(QPointF(port.right() + u * 0.5, port.top() + u * 0.2), u * 0.25, u * 0.25);
    DrawCable(p, QPointF(port.center().x(), port.bottom()), QPointF(r.right() - u * 0.3, r.bottom() - u * 0.3),
              u * 0.5, kAccent);
}

void DrawIcon(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kBannerLight);
    g.setColorAt(1, kBannerDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
    const qreal m = r.width() * 0.14;
    DrawPrinter(p, r.adjusted(m, m, -m, -m));
}

}

QImage DrawPicture(int resourceId, QSize size)
{
    if (size.isEmpty())
        return {};
    void (*draw)(QPainter&, const QRectF&) = nullptr;
    switch (resourceId) {
    case IDB_BANNER_BACK: draw = DrawBannerBackground; break;
    case IDB_BANNER_LEFT: draw = DrawBannerLeft; break;
    case IDB_BANNER_RIGHT: draw = DrawBannerRight; break;
    case IDB_METHOD_NETWORK: draw = DrawMethodNetwork; break;
    case IDB_METHOD_USB: draw = DrawMethodUsb; break;
    case IDB_CONNECT_USB: draw = DrawConnectUsb; break;
    case IDB_DISCONNECT: draw = DrawDisconnect; break;
    case IDB_NETWORK_CABLE: draw = DrawNetworkCable; break;
    case IDB_NETWORK_PRINTER: draw = DrawNetworkPrinter; break;
    case IDI_PROGRAM: draw = DrawIcon; break;
    default: return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawPicture(IDI_PROGRAM, QSize(side, side))));
    return icon;
}

}
