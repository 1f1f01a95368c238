#include "media/ui/video_screen.h"

#include "media/letterbox.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

namespace tovalin {

VideoScreen::VideoScreen(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QVideoSink *VideoScreen::videoSink()
{
    if (!m_sink) {
        m_sink = new QVideoSink(this);
        connect(m_sink, &QVideoSink::videoFrameChanged, this, &VideoScreen::showFrame);
    }
    return m_sink;
}

namespace {

/// The frame as a picture, converted by the processor. QVideoFrame::toImage() converts through
/// the graphics stack wherever the platform has OpenGL (Wayland, X11 with GL); with a software
/// renderer that takes longer than a frame lasts, and the window stops painting. The decoder's
/// planar YUV and the RGB formats are converted here; others still go through toImage().
QImage frameToImage(QVideoFrame frame)
{
    const QVideoFrameFormat::PixelFormat format = frame.pixelFormat();
    const QImage::Format rgb = QVideoFrameFormat::imageFormatFromPixelFormat(format);
    const bool yuv420 = format == QVideoFrameFormat::Format_YUV420P || format == QVideoFrameFormat::Format_NV12;
    if ((rgb == QImage::Format_Invalid && !yuv420) || !frame.map(QVideoFrame::ReadOnly))
        return frame.toImage();
    const int w = frame.width(), h = frame.height();
    QImage image;
    if (rgb != QImage::Format_Invalid) {
        image = QImage(frame.bits(0), w, h, frame.bytesPerLine(0), rgb).copy();
    } else {
        image = QImage(w, h, QImage::Format_RGB32);
        // Studio-swing BT.601 or BT.709, as decoders deliver film; full swing where the frame says so.
        const QVideoFrameFormat surface = frame.surfaceFormat();
        const bool full = surface.colorRange() == QVideoFrameFormat::ColorRange_Full;
        const bool bt709 = surface.colorSpace() == QVideoFrameFormat::ColorSpace_BT709;
        const double ys = full ? 1.0 : 255.0 / 219.0, cs = full ? 1.0 : 255.0 / 224.0;
        const double rv = (bt709 ? 1.5748 : 1.402) * cs, bu = (bt709 ? 1.8556 : 1.772) * cs;
        const double gu = (bt709 ? 0.1873 : 0.3441) * cs, gv = (bt709 ? 0.4681 : 0.7141) * cs;
        const int yOffset = full ? 0 : 16;
        const bool nv12 = format == QVideoFrameFormat::Format_NV12;
        for (int y = 0; y < h; ++y) {
            const uchar *yRow = frame.bits(0) + y * frame.bytesPerLine(0);
            const uchar *uRow = frame.bits(1) + (y / 2) * frame.bytesPerLine(1);
            const uchar *vRow = nv12 ? uRow + 1 : frame.bits(2) + (y / 2) * frame.bytesPerLine(2);
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const int c = nv12 ? (x / 2) * 2 : x / 2;
                const double lum = (yRow[x] - yOffset) * ys, u = uRow[c] - 128, v = vRow[c] - 128;
                out[x] = qRgb(qBound(0, int(lum + rv * v + 0.5), 255), qBound(0, int(lum - gu * u - gv * v + 0.5), 255),
                              qBound(0, int(lum + bu * u + 0.5), 255));
            }
        }
    }
    frame.unmap();
    return image;
}

} // namespace

void VideoScreen::showFrame(const QVideoFrame &frame)
{
    // An invalid frame is what a stopped player sends: the picture goes.
    m_frame = frame.isValid() ? frameToImage(frame) : QImage();
    update();
}

void VideoScreen::clearPicture()
{
    m_frame = QImage();
    update();
}

QRect VideoScreen::movieBox() const
{
    return letterbox::movieBox(size(), m_frame.size());
}

void VideoScreen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_colour);
    if (m_frame.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(movieBox(), m_frame);
}

} // namespace tovalin
