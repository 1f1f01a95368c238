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

void VideoScreen::showFrame(const QVideoFrame &frame)
{
    // An invalid frame is what a stopped player sends: the picture goes.
    m_frame = frame.isValid() ? frame.toImage() : QImage();
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
