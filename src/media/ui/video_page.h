#pragma once
// The `video` page of the main window: the child-sized player `Panel19`,
// centred on the page, with its screen `Panel17`, the placeholder `Image19`,
// the two players, the download gauge `Gauge1`, the play, pause and stop
// buttons (`ImgBtn10` to `ImgBtn12`) and the title `Label5`.

#include <QAbstractButton>
#include <QObject>
#include <QPixmap>

class QLabel;
class QProgressBar;

namespace tovalin {

class GraphPlayer;
class MoviePlayer;
class VideoScreen;

/// A button drawn as one of three pictures: normal, pressed, and with the mouse over it.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(QPixmap normal, QPixmap pressed, QPixmap hover, QWidget *parent = nullptr);
    QSize sizeHint() const override { return m_normal.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressed;
    QPixmap m_hover;
    bool m_hovered = false;
};

class VideoPage : public QObject {
    Q_OBJECT
public:
    static constexpr QSize kPanelSize{505, 441};
    static constexpr QSize kScreenSize{441, 344};
    /// The screen's colour, 0x00BBGGRR 5428039.
    static constexpr QRgb kScreenColour = 0xFF47D352;

    /// Builds the player inside `page`, the main window's `video` page.
    explicit VideoPage(QWidget *page, QObject *parent = nullptr);
    ~VideoPage() override;

    QWidget *page() const { return m_page; }
    GraphPlayer *graph() const { return m_graph; }
    MoviePlayer *movie() const { return m_movie; }

    /// The ".mov" flag of the video on its way: which player the page shows.
    void setMovFlag(bool mov);
    bool movFlag() const { return m_mov; }

    /// A new fetch begins: the placeholder shows until the video plays.
    void beginFetch();
    void setTitle(const QString &title);
    /// `Gauge1`: shown at 0 of `maximum` bytes (0: unknown), moved, hidden.
    void startGauge(qint64 maximum);
    void setGauge(qint64 value);
    void hideGauge();
    void hidePlaceholder();

    /// Start of playback after a fetch: the ".mov" player or the other one, from the stored file.
    void startPlayback(const QString &path, bool mov);
    /// The browser page comes back: the player stops and unloads, the gauge hides.
    void stopFromElsewhere();

    /// The buttons: `ImgBtn10` play, `ImgBtn11` pause, `ImgBtn12` stop.
    void play();
    void pause();
    void stop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// `videoShow`: the player of the flag shows, the other hides; the frame is centred.
    void videoShow();
    void centre();
    void playerFailed(QWidget *playerScreen);

    QWidget *m_page;
    QWidget *m_panel19 = nullptr;
    QWidget *m_panel17 = nullptr;
    QLabel *m_placeholder = nullptr;
    VideoScreen *m_graphScreen = nullptr;
    VideoScreen *m_movieScreen = nullptr;
    QProgressBar *m_gauge = nullptr;
    QLabel *m_title = nullptr;
    GraphPlayer *m_graph = nullptr;
    MoviePlayer *m_movie = nullptr;
    qint64 m_gaugeMaximum = 0;
    bool m_mov = false;
};

} // namespace tovalin
