#include "activity/ui/activity_look.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace tovalin::activitylook {

namespace {

QPixmap bubble(int size, const QColor &fill, const std::function<void(QPainter &, qreal)> &inside)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath path;
    path.addRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.68), s * 0.2, s * 0.2);
    QPainterPath tail;
    tail.moveTo(s * 0.28, s * 0.7);
    tail.lineTo(s * 0.2, s * 0.95);
    tail.lineTo(s * 0.48, s * 0.72);
    tail.closeSubpath();
    path = path.united(tail);
    p.setPen(QPen(fill.darker(140), s * 0.04));
    p.setBrush(fill);
    p.drawPath(path);
    inside(p, s);
    return pm;
}

} // namespace

QPixmap askPicture(int size)
{
    return bubble(size, QColor(255, 200, 60), [](QPainter &p, qreal s) {
        QFont f;
        f.setBold(true);
        f.setPixelSize(int(s * 0.55));
        p.setFont(f);
        p.setPen(QColor(150, 60, 10));
        p.drawText(QRectF(0, s * 0.04, s, s * 0.7), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QPixmap sentPicture(int size)
{
    return bubble(size, QColor(120, 210, 110), [](QPainter &p, qreal s) {
        QPen pen(Qt::white, s * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(s * 0.3, s * 0.4);
        tick.lineTo(s * 0.45, s * 0.55);
        tick.lineTo(s * 0.7, s * 0.25);
        p.drawPath(tick);
    });
}

} // namespace tovalin::activitylook
