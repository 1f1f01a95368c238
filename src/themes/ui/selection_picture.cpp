#include "themes/ui/selection_picture.h"

#include "themes/themes_log.h"
#include "themes/thumbnail.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace tovalin {

namespace {

Bitmap fromImage(const QImage &image)
{
    Bitmap b;
    if (image.isNull())
        return b;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    b.width = rgb.width();
    b.height = rgb.height();
    b.pixels.resize(size_t(b.width) * size_t(b.height));
    for (int y = 0; y < b.height; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(rgb.constScanLine(y));
        std::copy(line, line + b.width, b.pixels.begin() + qsizetype(y) * b.width);
    }
    for (quint32 &p : b.pixels)
        p |= 0xFF000000u;
    return b;
}

bool platformGivesScreenPixels()
{
    const QString platform = QGuiApplication::platformName();
    return !platform.startsWith(QLatin1String("offscreen")) && !platform.startsWith(QLatin1String("wayland"))
        && !platform.startsWith(QLatin1String("minimal"));
}

/// What the screen shows over the page, or a null image where the screen cannot be read.
QImage grabScreenArea(QWidget *page)
{
    if (!platformGivesScreenPixels())
        return {};
    QScreen *screen = page->screen();
    if (!screen)
        return {};
    const QPixmap full = screen->grabWindow(0);
    if (full.isNull())
        return {};
    const qreal ratio = full.devicePixelRatio();
    const QPoint origin = page->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    const QRect area(QPointF(origin * ratio).toPoint(), QSizeF(QSizeF(page->size()) * ratio).toSize());
    QImage image = full.toImage().copy(area);
    if (image.isNull())
        return {};
    // The square and the marker count the page's own pixels.
    if (image.size() != page->size())
        image = image.scaled(page->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

QImage toImage(const Bitmap &bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            line[x] = bitmap.pixel(x, y) | 0xFF000000u;
    }
    return image;
}

Bitmap capturePage(QWidget *page)
{
    if (!page || page->width() <= 0 || page->height() <= 0)
        return {};
    QImage image = grabScreenArea(page);
    if (image.isNull()) {
        qCDebug(lcThemes) << "no screen pixels on" << QGuiApplication::platformName()
                          << "- taking the page's own rendering";
        image = page->grab().toImage();
        if (image.size() != page->size())
            image = image.scaled(page->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return fromImage(image);
}

SelectionPicture::SelectionPicture(QWidget *parent)
    : QWidget(parent)
    , m_marker(thumbnail::kMarkerHidden)
{
    setObjectName(QStringLiteral("zoekimage"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SelectionPicture::setScreenshot(const Bitmap &screenshot)
{
    m_clean = screenshot;
    m_shown = screenshot;
    m_marker = thumbnail::kMarkerHidden;
    m_image = toImage(m_shown);
    update();
}

void SelectionPicture::moveMarker(QPoint point)
{
    if (m_shown.isNull())
        return;
    // The first draw removes the marker where it was; the second puts it at the mouse.
    const QRect before = thumbnail::xorMarker(m_shown, m_marker);
    m_marker = point;
    const QRect after = thumbnail::xorMarker(m_shown, m_marker);
    refresh(before.united(after));
}

void SelectionPicture::refresh(const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(m_image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = m_shown.pixel(x, y) | 0xFF000000u;
    }
    update(area);
}

void SelectionPicture::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    if (!m_image.isNull())
        p.drawImage(event->rect().topLeft(), m_image, event->rect());
}

void SelectionPicture::mouseMoveEvent(QMouseEvent *event)
{
    moveMarker(event->position().toPoint());
}

void SelectionPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_clean.isNull())
        emit squareChosen(event->position().toPoint());
}

} // namespace tovalin
