#pragma once
// A player's picture: the frames of its QVideoSink painted into the movie box
// (kept in proportion by whole-pixel letter-boxing), the bars and a movie
// without picture filled with the player's colour.
//
// The frames are painted by this widget itself rather than by QVideoWidget: on
// Qt 6.4 QVideoWidget draws through a native GL window, which stalls playback
// on an X server without GL (Xvfb, remote desktops) and never shows in grabs.

#include <QImage>
#include <QWidget>

class QVideoSink;
class QVideoFrame;

namespace tovalin {

class VideoScreen : public QWidget {
    Q_OBJECT
public:
    explicit VideoScreen(const QColor &colour, QWidget *parent = nullptr);

    /// The sink the player paints into, made on first use (a sink starts Qt Multimedia).
    QVideoSink *videoSink();
    /// Drops the picture: the whole screen shows the colour.
    void clearPicture();
    /// The movie's natural size; empty while there is no picture.
    QSize naturalSize() const { return m_frame.size(); }
    /// Where the movie is painted now (the whole screen without a picture).
    QRect movieBox() const;
    QColor colour() const { return m_colour; }
    /// The picture of the frame shown last (null without one).
    QImage picture() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showFrame(const QVideoFrame &frame);

    QColor m_colour;
    QVideoSink *m_sink = nullptr;
    QImage m_frame;
};

} // namespace tovalin
