#include "app/ui/pictures.h"

#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <initializer_list>
#include <utility>

namespace tovalin::pictures {

namespace {

// Pictures are drawn on images, which a worker may draw too (see drawAhead).
QImage canvas(int size)
{
    QImage pm(size, size, QImage::Format_ARGB32_Premultiplied);
    pm.fill(Qt::transparent);
    return pm;
}

// Pictures drawn ahead by the worker, each taken by the first window part that asks for it.
enum class Kind : quint64 { Sign, Button, App };

quint64 keyOf(Kind kind, int which, int size)
{
    return (quint64(kind) << 48) | (quint64(quint16(which)) << 32) | quint32(size);
}

struct DrawnAhead {
    QMutex lock;
    QHash<quint64, QImage> images;
};

DrawnAhead &drawnAhead()
{
    static DrawnAhead d;
    return d;
}

// An asked-for picture leaves an empty image under its key, so that the worker, when it comes
// to that picture later, does not keep a copy nobody will take.
template<typename Draw>
QImage takeOrDraw(quint64 key, Draw draw)
{
    {
        DrawnAhead &d = drawnAhead();
        QMutexLocker locked(&d.lock);
        QImage &kept = d.images[key];
        if (!kept.isNull())
            return std::exchange(kept, QImage());
    }
    return draw();
}

void roundButton(QPainter &p, int size, const QColor &fill)
{
    p.setPen(QPen(fill.darker(140), size / 20.0));
    QRadialGradient g(size * 0.35, size * 0.3, size * 0.8);
    g.setColorAt(0, fill.lighter(150));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.drawEllipse(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9));
}

void arrow(QPainter &p, int size, bool right)
{
    QPainterPath path;
    const qreal s = size;
    if (right) {
        path.moveTo(s * 0.28, s * 0.40);
        path.lineTo(s * 0.52, s * 0.40);
        path.lineTo(s * 0.52, s * 0.25);
        path.lineTo(s * 0.78, s * 0.50);
        path.lineTo(s * 0.52, s * 0.75);
        path.lineTo(s * 0.52, s * 0.60);
        path.lineTo(s * 0.28, s * 0.60);
    } else {
        path.moveTo(s * 0.72, s * 0.40);
        path.lineTo(s * 0.48, s * 0.40);
        path.lineTo(s * 0.48, s * 0.25);
        path.lineTo(s * 0.22, s * 0.50);
        path.lineTo(s * 0.48, s * 0.75);
        path.lineTo(s * 0.48, s * 0.60);
        path.lineTo(s * 0.72, s * 0.60);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(path);
}

QImage drawSign(Sign which, int size)
{
    QImage pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (which) {
    case Sign::Forbidden: {
        p.setPen(QPen(QColor(200, 20, 20), s * 0.12));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        p.drawLine(QPointF(s * 0.22, s * 0.22), QPointF(s * 0.78, s * 0.78));
        break;
    }
    case Sign::Loading: {
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            QColor c(30, 120, 220);
            c.setAlpha(70 + i * 23);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(QPointF(s / 2 + std::cos(a) * s * 0.33, s / 2 + std::sin(a) * s * 0.33), s * 0.09, s * 0.09);
        }
        break;
    }
    case Sign::Broken: {
        p.setPen(QPen(QColor(120, 80, 40), s * 0.08));
        p.setBrush(QColor(255, 200, 80));
        QPainterPath left;
        left.moveTo(s * 0.1, s * 0.2);
        left.lineTo(s * 0.45, s * 0.2);
        left.lineTo(s * 0.38, s * 0.45);
        left.lineTo(s * 0.48, s * 0.6);
        left.lineTo(s * 0.4, s * 0.8);
        left.lineTo(s * 0.1, s * 0.8);
        left.closeSubpath();
        p.drawPath(left);
        p.drawPath(QTransform().translate(s, 0).scale(-1, 1).map(left));
        break;
    }
    case Sign::Allowed: {
        p.setPen(QPen(QColor(30, 140, 40), s * 0.08));
        p.setBrush(QColor(120, 220, 110));
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        QPainterPath tick;
        tick.moveTo(s * 0.28, s * 0.52);
        tick.lineTo(s * 0.44, s * 0.68);
        tick.lineTo(s * 0.74, s * 0.34);
        p.setPen(QPen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
        break;
    }
    }
    return pm;
}

QImage drawButton(Button which, int size)
{
    QImage pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (which) {
    case Button::Back:
        roundButton(p, size, QColor(40, 150, 230));
        arrow(p, size, false);
        break;
    case Button::Forward:
        roundButton(p, size, QColor(40, 150, 230));
        arrow(p, size, true);
        break;
    case Button::Stop: {
        roundButton(p, size, QColor(230, 60, 50));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(s * 0.32, s * 0.32, s * 0.36, s * 0.36), s * 0.05, s * 0.05);
        break;
    }
    case Button::Refresh: {
        roundButton(p, size, QColor(250, 170, 30));
        p.setPen(QPen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(s * 0.28, s * 0.28, s * 0.44, s * 0.44), 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(s * 0.56, s * 0.18);
        head.lineTo(s * 0.72, s * 0.30);
        head.lineTo(s * 0.54, s * 0.38);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(head);
        break;
    }
    case Button::Home: {
        roundButton(p, size, QColor(120, 190, 60));
        QPainterPath house;
        house.moveTo(s * 0.5, s * 0.24);
        house.lineTo(s * 0.76, s * 0.48);
        house.lineTo(s * 0.68, s * 0.48);
        house.lineTo(s * 0.68, s * 0.74);
        house.lineTo(s * 0.32, s * 0.74);
        house.lineTo(s * 0.32, s * 0.48);
        house.lineTo(s * 0.24, s * 0.48);
        house.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(house);
        break;
    }
    case Button::Go:
        roundButton(p, size, QColor(150, 90, 210));
        arrow(p, size, true);
        break;
    case Button::Print: {
        roundButton(p, size, QColor(110, 120, 140));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.34, s * 0.24, s * 0.32, s * 0.2));
        p.drawRoundedRect(QRectF(s * 0.24, s * 0.42, s * 0.52, s * 0.22), s * 0.04, s * 0.04);
        p.drawRect(QRectF(s * 0.34, s * 0.58, s * 0.32, s * 0.18));
        break;
    }
    case Button::Exit: {
        roundButton(p, size, QColor(200, 40, 40));
        p.setPen(QPen(Qt::white, s * 0.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.35, s * 0.35), QPointF(s * 0.65, s * 0.65));
        p.drawLine(QPointF(s * 0.65, s * 0.35), QPointF(s * 0.35, s * 0.65));
        break;
    }
    case Button::ParentsMenu: {
        roundButton(p, size, QColor(60, 60, 160));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(s * 0.32, s * 0.46, s * 0.36, s * 0.28), s * 0.04, s * 0.04);
        p.setPen(QPen(Qt::white, s * 0.07));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(s * 0.38, s * 0.26, s * 0.24, s * 0.32), 0, 180 * 16);
        break;
    }
    case Button::Close: {
        p.setPen(QPen(QColor(60, 60, 60), s * 0.12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.25, s * 0.25), QPointF(s * 0.75, s * 0.75));
        p.drawLine(QPointF(s * 0.75, s * 0.25), QPointF(s * 0.25, s * 0.75));
        break;
    }
    case Button::ScrollUp:
    case Button::ScrollDown: {
        // The link column's scroll buttons: a big friendly triangle on an orange ball.
        roundButton(p, size, QColor(250, 150, 30));
        const bool up = which == Button::ScrollUp;
        QPainterPath tri;
        tri.moveTo(s * 0.26, up ? s * 0.62 : s * 0.38);
        tri.lineTo(s * 0.74, up ? s * 0.62 : s * 0.38);
        tri.lineTo(s * 0.50, up ? s * 0.28 : s * 0.72);
        tri.closeSubpath();
        p.setPen(QPen(Qt::white, s * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(tri);
        break;
    }
    case Button::Popup: {
        // A small window with a title bar: the pop-up commands' icon.
        p.setPen(QPen(QColor(0, 113, 192), s * 0.07));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(s * 0.12, s * 0.2, s * 0.76, s * 0.6), s * 0.06, s * 0.06);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 113, 192));
        p.drawRect(QRectF(s * 0.12, s * 0.2, s * 0.76, s * 0.16));
        break;
    }
    }
    p.end();
    return pm;
}

QImage drawAppIcon();

} // namespace

QPixmap sign(Sign which, int size)
{
    return QPixmap::fromImage(
        takeOrDraw(keyOf(Kind::Sign, int(which), size), [which, size] { return drawSign(which, size); }));
}

QIcon button(Button which, int size)
{
    return QIcon(QPixmap::fromImage(
        takeOrDraw(keyOf(Kind::Button, int(which), size), [which, size] { return drawButton(which, size); })));
}

QIcon appIcon()
{
    return QIcon(QPixmap::fromImage(takeOrDraw(keyOf(Kind::App, 0, 64), [] { return drawAppIcon(); })));
}

void drawAhead()
{
    // What the child's window shows, or builds hidden, as it opens.
    const auto signs = {std::pair{Sign::Forbidden, 60}, {Sign::Loading, 60}, {Sign::Broken, 60},
                        {Sign::Forbidden, 24}, {Sign::Allowed, 24}, {Sign::Allowed, 28},
                        {Sign::Forbidden, 28}, {Sign::Broken, 28}, {Sign::Loading, 28}};
    const auto buttons = {std::pair{Button::Back, 96}, {Button::Forward, 96}, {Button::Stop, 96},
                          {Button::Refresh, 96}, {Button::Home, 96}, {Button::Go, 96},
                          {Button::Print, 96}, {Button::ParentsMenu, 96}, {Button::Exit, 96}, {Button::ScrollUp, 96},
                          {Button::ScrollDown, 96}, {Button::Back, 48}, {Button::Forward, 48},
                          {Button::Refresh, 48}, {Button::Stop, 48}, {Button::Home, 48},
                          {Button::Go, 48}, {Button::Popup, 56}, {Button::Popup, 40},
                          {Button::Close, 32}};
    // A picture asked for already (the window was quicker) is neither drawn nor kept.
    const auto askedFor = [](quint64 key) {
        DrawnAhead &d = drawnAhead();
        QMutexLocker locked(&d.lock);
        return d.images.contains(key);
    };
    const auto keep = [](quint64 key, QImage image) {
        DrawnAhead &d = drawnAhead();
        QMutexLocker locked(&d.lock);
        if (!d.images.contains(key))
            d.images.insert(key, std::move(image));
    };
    if (const quint64 key = keyOf(Kind::App, 0, 64); !askedFor(key))
        keep(key, drawAppIcon());
    for (const auto &[which, size] : buttons) {
        if (const quint64 key = keyOf(Kind::Button, int(which), size); !askedFor(key))
            keep(key, drawButton(which, size));
    }
    for (const auto &[which, size] : signs) {
        if (const quint64 key = keyOf(Kind::Sign, int(which), size); !askedFor(key))
            keep(key, drawSign(which, size));
    }
}

QPixmap menuIcon(const QColor &colour, int size)
{
    QImage pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    roundButton(p, size, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(size * 0.38, size * 0.38, size * 0.24, size * 0.24));
    p.end();
    return QPixmap::fromImage(pm);
}

namespace {

QImage drawAppIcon()
{
    QImage pm = canvas(64);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 90, 170), 3));
    p.setBrush(QColor(80, 170, 250));
    p.drawEllipse(4, 4, 56, 56);
    p.setBrush(QColor(110, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(12, 14, 18, 14);
    p.drawEllipse(34, 36, 16, 12);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(20, 22, 24, 24, 200 * 16, 140 * 16);
    p.end();
    return pm;
}

} // namespace

} // namespace tovalin::pictures
