#include "media/ui/player_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tovalin::playerpictures {

namespace {

const QColor kFrameRed(196, 40, 36);
const QColor kScreenGreen(71, 211, 82);

QPixmap canvas(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap frame(QSize size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(1, 1, size.width() - 2, size.height() - 2);
    QLinearGradient body(outer.topLeft(), outer.bottomLeft());
    body.setColorAt(0, kFrameRed.lighter(130));
    body.setColorAt(1, kFrameRed.darker(130));
    p.setPen(QPen(kFrameRed.darker(170), 2));
    p.setBrush(body);
    p.drawRoundedRect(outer, 28, 28);
    // A lighter rim round the screen's place, like the bezel of a television.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(22, 22, size.width() - 44, 344 + 20), 14, 14);
    p.setBrush(QColor(20, 20, 20));
    p.drawRoundedRect(QRectF(28, 28, size.width() - 56, 344 + 8), 8, 8);
    return pm;
}

QPixmap placeholder(QSize size)
{
    QPixmap pm(size);
    pm.fill(kScreenGreen);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF board(w * 0.30, h * 0.38, w * 0.40, h * 0.34);
    // The clapper's board and its striped stick, raised a little.
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(QColor(45, 45, 45));
    p.drawRoundedRect(board, 6, 6);
    p.save();
    p.translate(board.left(), board.top() - 4);
    p.rotate(-14);
    const QRectF stick(0, -h * 0.09, board.width(), h * 0.08);
    p.setBrush(QColor(45, 45, 45));
    p.drawRect(stick);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        QPainterPath stripe;
        const qreal x = stick.left() + i * stick.width() / 5 + 6;
        stripe.moveTo(x, stick.bottom() - 2);
        stripe.lineTo(x + stick.width() / 10, stick.top() + 2);
        stripe.lineTo(x + stick.width() / 10 + 12, stick.top() + 2);
        stripe.lineTo(x + 12, stick.bottom() - 2);
        stripe.closeSubpath();
        p.drawPath(stripe);
    }
    p.restore();
    // A play sign on the board.
    QPainterPath play;
    const QPointF c = board.center();
    play.moveTo(c.x() - h * 0.06, c.y() - h * 0.08);
    play.lineTo(c.x() + h * 0.09, c.y());
    play.lineTo(c.x() - h * 0.06, c.y() + h * 0.08);
    play.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    p.drawPath(play);
    return pm;
}

QPixmap button(Button which, Look look, QSize size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    QColor base = which == Button::Play ? QColor(40, 170, 60) : which == Button::Pause ? QColor(240, 170, 20) : QColor(210, 40, 40);
    if (look == Look::Hover)
        base = base.lighter(125);
    const qreal press = look == Look::Pressed ? 2 : 0;
    const QRectF round(2 + press, 4 + press, w - 4 - press, w - 4 - press);
    // A shadow under the button, gone while it is pressed.
    if (look != Look::Pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawEllipse(round.translated(2, 3));
    }
    QRadialGradient g(round.center() - QPointF(w * 0.15, w * 0.18), w * 0.7);
    g.setColorAt(0, look == Look::Pressed ? base : base.lighter(160));
    g.setColorAt(1, look == Look::Pressed ? base.darker(130) : base);
    p.setPen(QPen(base.darker(170), 2));
    p.setBrush(g);
    p.drawEllipse(round);

    const QPointF c = round.center();
    const qreal s = round.width();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    switch (which) {
    case Button::Play: {
        QPainterPath tri;
        tri.moveTo(c.x() - s * 0.14, c.y() - s * 0.22);
        tri.lineTo(c.x() + s * 0.24, c.y());
        tri.lineTo(c.x() - s * 0.14, c.y() + s * 0.22);
        tri.closeSubpath();
        p.drawPath(tri);
        break;
    }
    case Button::Pause:
        p.drawRoundedRect(QRectF(c.x() - s * 0.19, c.y() - s * 0.21, s * 0.13, s * 0.42), 2, 2);
        p.drawRoundedRect(QRectF(c.x() + s * 0.06, c.y() - s * 0.21, s * 0.13, s * 0.42), 2, 2);
        break;
    case Button::Stop:
        p.drawRoundedRect(QRectF(c.x() - s * 0.18, c.y() - s * 0.18, s * 0.36, s * 0.36), 3, 3);
        break;
    }
    return pm;
}

} // namespace tovalin::playerpictures
