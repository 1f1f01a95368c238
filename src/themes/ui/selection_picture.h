#pragma once
// `zoekimage` on the capture page `SelectPage`: the screenshot of the browser
// page, shown at its own size where the browser page was, with the 110 × 110
// selection marker drawn in XOR mode under the mouse. A click takes the square
// around the mouse point.

#include "themes/bmp_codec.h"

#include <QImage>
#include <QWidget>

class QScreen;

namespace tovalin {

class SelectionPicture : public QWidget {
    Q_OBJECT
public:
    explicit SelectionPicture(QWidget *parent = nullptr);

    /// A new screenshot: shown as it is, the marker off the picture until the mouse moves.
    void setScreenshot(const Bitmap &screenshot);
    const Bitmap &screenshot() const { return m_clean; }
    /// The picture as shown, marker included.
    const Bitmap &shown() const { return m_shown; }
    QPoint markerPosition() const { return m_marker; }

    /// Moves the marker to a point of the picture (as a mouse move does).
    void moveMarker(QPoint point);

signals:
    /// The parent clicked at this point of the picture (the browser page's coordinates).
    void squareChosen(QPoint point);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refresh(const QRect &area);

    Bitmap m_clean; // the screenshot as taken: squares are cut from it
    Bitmap m_shown; // the screenshot with the marker XORed in
    QImage m_image; // m_shown for painting (shares its pixels)
    QPoint m_marker;
};

/// Takes a picture of what the screen shows over `page` (its client area), in the page's own
/// pixels. Where the platform gives no screen pixels (offscreen, Wayland) or the grab comes back
/// empty, the page's own rendering is taken instead.
Bitmap capturePage(QWidget *page);

/// A Bitmap as an image for painting (opaque; the pixels are copied).
QImage toImage(const Bitmap &bitmap);

} // namespace tovalin
