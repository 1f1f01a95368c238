#pragma once
// The shared look of the parents' windows (password dialogs, quick menu,
// accept window, clocks dialog): white faces, a soft blue band, link-style
// buttons that change colour under the mouse, and a few pictures drawn in
// code. Header-only, so every windows library can use it without linking
// another one.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace tovalin::look {

/// Link text colours: under the mouse and otherwise.
inline const QColor kLinkHover(100, 149, 230);
inline const QColor kLinkNormal(33, 93, 198);
/// The band behind the dialogs' pictures and the headings' colour.
inline const QColor kBand(211, 229, 251);
inline const QColor kHeading(33, 93, 198);

inline void paintWhite(QWidget *w)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
}

inline QFont headingFont(QFont base)
{
    base.setBold(true);
    base.setPointSizeF(base.pointSizeF() * 1.25);
    return base;
}

/// A flat button that reads as a link: blue text, lighter and underlined under the mouse.
inline QPushButton *makeLink(const QString &text, const QString &objectName, QWidget *parent,
                             const QColor &normal = kLinkNormal, const QColor &hover = kLinkHover)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    b->setStyleSheet(QStringLiteral("QPushButton { color: %1; border: none; padding: 2px 0px; text-align: left;"
                                    " background: transparent; }"
                                    "QPushButton:hover { color: %2; text-decoration: underline; }")
                         .arg(normal.name(), hover.name()));
    return b;
}

/// The blue band down the left of a parents' window with pages (the clocks dialog, the
/// activity window): a fixed width, and a column for its heading and links.
inline QWidget *leftBand(QWidget *parent, int width, QVBoxLayout **column)
{
    auto *band = new QWidget(parent);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, kBand);
    band->setPalette(pal);
    band->setFixedWidth(width);
    *column = new QVBoxLayout(band);
    (*column)->setContentsMargins(14, 10, 10, 10);
    (*column)->setSpacing(2);
    return band;
}

/// A friendly padlock, closed.
inline QPixmap padlock(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // Shackle.
    QPen shackle(QColor(120, 130, 150), s * 0.11, Qt::SolidLine, Qt::RoundCap);
    p.setPen(shackle);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.27, s * 0.08, s * 0.46, s * 0.5), 0, 180 * 16);
    p.drawLine(QPointF(s * 0.27, s * 0.33), QPointF(s * 0.27, s * 0.45));
    p.drawLine(QPointF(s * 0.73, s * 0.33), QPointF(s * 0.73, s * 0.45));
    // Body.
    QLinearGradient body(0, s * 0.42, 0, s * 0.95);
    body.setColorAt(0, QColor(255, 206, 84));
    body.setColorAt(1, QColor(240, 160, 40));
    p.setPen(QPen(QColor(200, 130, 30), s * 0.03));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(s * 0.15, s * 0.42, s * 0.7, s * 0.5), s * 0.1, s * 0.1);
    // Keyhole.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 70, 20));
    p.drawEllipse(QPointF(s * 0.5, s * 0.61), s * 0.07, s * 0.07);
    QPainterPath slot;
    slot.moveTo(s * 0.47, s * 0.63);
    slot.lineTo(s * 0.53, s * 0.63);
    slot.lineTo(s * 0.55, s * 0.8);
    slot.lineTo(s * 0.45, s * 0.8);
    slot.closeSubpath();
    p.drawPath(slot);
    return pm;
}

/// A round sign: red with a white bar (block) or green with a white tick (allow).
inline QPixmap roundSign(int size, bool allow)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(allow ? QColor(40, 170, 60) : QColor(220, 40, 40));
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    QPen white(Qt::white, s * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(white);
    if (allow) {
        QPainterPath tick;
        tick.moveTo(s * 0.28, s * 0.52);
        tick.lineTo(s * 0.44, s * 0.68);
        tick.lineTo(s * 0.72, s * 0.34);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(s * 0.27, s * 0.5), QPointF(s * 0.73, s * 0.5));
    }
    return pm;
}

} // namespace tovalin::look
