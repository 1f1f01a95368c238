#pragma once
// The two players of the video page, both on Qt Multimedia (QMediaPlayer), each
// keeping the behaviour its kind of file had:
// - GraphPlayer (`DSVideoWindowEx21`) plays every kind but ".mov": play renders
//   the current video anew when the player is inactive; stop and the end of the
//   file clear it, so the next play starts from the beginning.
// - MoviePlayer (`QTMovie1`) plays ".mov" files: stop goes back to the
//   beginning and keeps the movie open; at the end it rewinds and stops.
// A file a player cannot play leaves the page's placeholder in place (failed()).
// Each player's QMediaPlayer is made when a file is first loaded: starting Qt Multimedia
// (its FFmpeg back-end and the sound server) takes about a second, which a start-up to
// the start page should not wait for.

#include <QMediaPlayer>
#include <QObject>
#include <QString>

class QAudioOutput;

namespace tovalin {

class VideoScreen;

/// Picks the media back-end before Qt Multimedia is first used: the FFmpeg one, which
/// decodes every kind the page plays with the libraries Qt already depends on.
/// A QT_MEDIA_BACKEND set by the user is kept.
void chooseMediaBackend();

class PlayerAdapter : public QObject {
    Q_OBJECT
public:
    explicit PlayerAdapter(VideoScreen *screen, QObject *parent = nullptr);
    ~PlayerAdapter() override;

    VideoScreen *screen() const { return m_screen; }
    /// The player, made on first use.
    QMediaPlayer *mediaPlayer();

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

signals:
    /// The file cannot be played: the placeholder is to stay and this player to hide.
    void failed();

protected:
    /// Loads a file (an empty path unloads); the screen shows nothing until frames come.
    void load(const QString &path);
    bool loaded() const { return m_player && !m_player->source().isEmpty(); }
    /// Whether Qt Multimedia has been started for this player (a file was ever loaded).
    bool hasPlayer() const { return m_player != nullptr; }
    virtual void ended() = 0;

private:
    VideoScreen *m_screen;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_audio = nullptr;
};

/// `DSVideoWindowEx21`.
class GraphPlayer final : public PlayerAdapter {
    Q_OBJECT
public:
    using PlayerAdapter::PlayerAdapter;

    /// Start of playback after a fetch: clear, render the file, run.
    void startPlayback(const QString &path);
    /// `ImgBtn10`: an inactive player renders the current video again, then runs.
    void play() override;
    void pause() override;
    /// `ImgBtn12`: stop, clear and deactivate.
    void stop() override;
    bool isActive() const { return m_active; }
    const QString &currentVideoPath() const { return m_path; }

protected:
    void ended() override;

private:
    void deactivate();
    QString m_path;
    bool m_active = false;
};

/// `QTMovie1`.
class MoviePlayer final : public PlayerAdapter {
    Q_OBJECT
public:
    using PlayerAdapter::PlayerAdapter;

    /// Opens a movie (closing the one before) and plays it.
    void openAndPlay(const QString &path);
    void play() override;
    /// Stops where it is.
    void pause() override;
    /// Stops and goes back to the beginning.
    void stop() override;
    /// Closes the movie (the browser left the video page).
    void reset();

signals:
    /// A movie that does not loop reached its end (and went back to the beginning).
    void movieStopped();

protected:
    void ended() override;
};

} // namespace tovalin
