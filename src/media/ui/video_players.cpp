#include "media/ui/video_players.h"

#include "media/ui/video_screen.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QUrl>

Q_LOGGING_CATEGORY(lcPlayer, "tovalin.media.player", QtWarningMsg)

namespace tovalin {

void chooseMediaBackend()
{
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

PlayerAdapter::PlayerAdapter(VideoScreen *screen, QObject *parent) : QObject(parent), m_screen(screen) {}

QMediaPlayer *PlayerAdapter::mediaPlayer()
{
    if (m_player)
        return m_player;
    m_player = new QMediaPlayer(this);
    m_player->setVideoSink(m_screen->videoSink());
    // Without any sound device there is no audio output at all: the FFmpeg back-end of
    // Qt 6.4 crashes writing to a device that is not there.
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        m_audio = new QAudioOutput(this);
        m_player->setAudioOutput(m_audio);
    }
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        qCDebug(lcPlayer) << objectName() << status;
        // Answered once the player has finished its own work on this change.
        if (status == QMediaPlayer::EndOfMedia)
            QMetaObject::invokeMethod(this, [this] { ended(); }, Qt::QueuedConnection);
        else if (status == QMediaPlayer::InvalidMedia)
            QMetaObject::invokeMethod(this, [this] { emit failed(); }, Qt::QueuedConnection);
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString &text) {
        qCDebug(lcPlayer) << objectName() << error << text;
        if (error != QMediaPlayer::NoError)
            QMetaObject::invokeMethod(this, [this] { emit failed(); }, Qt::QueuedConnection);
    });
    return m_player;
}

PlayerAdapter::~PlayerAdapter()
{
    if (m_player)
        m_player->stop();
}

void PlayerAdapter::load(const QString &path)
{
    m_screen->clearPicture();
    // Unloading a player that was never made leaves nothing to do.
    if (path.isEmpty() && !m_player)
        return;
    mediaPlayer()->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
}

// --- GraphPlayer ------------------------------------------------------------------

void GraphPlayer::startPlayback(const QString &path)
{
    deactivate();
    m_path = path;
    m_active = true;
    load(m_path);
    mediaPlayer()->play();
}

void GraphPlayer::play()
{
    if (!m_active) {
        if (m_path.isEmpty())
            return;
        m_active = true;
        load(m_path);
    }
    mediaPlayer()->play();
}

void GraphPlayer::pause()
{
    if (m_active)
        mediaPlayer()->pause();
}

void GraphPlayer::stop()
{
    deactivate();
}

void GraphPlayer::ended()
{
    // The end of the file clears the player; a later play renders the file again from the start.
    deactivate();
}

void GraphPlayer::deactivate()
{
    if (hasPlayer())
        mediaPlayer()->stop();
    load(QString());
    m_active = false;
}

// --- MoviePlayer ------------------------------------------------------------------

void MoviePlayer::openAndPlay(const QString &path)
{
    if (hasPlayer())
        mediaPlayer()->stop();
    load(path);
    mediaPlayer()->play();
}

void MoviePlayer::play()
{
    if (loaded())
        mediaPlayer()->play();
}

void MoviePlayer::pause()
{
    if (loaded())
        mediaPlayer()->pause();
}

void MoviePlayer::stop()
{
    if (!loaded())
        return;
    // Stopped at the beginning, with the first picture on show.
    mediaPlayer()->pause();
    mediaPlayer()->setPosition(0);
}

void MoviePlayer::reset()
{
    if (hasPlayer())
        mediaPlayer()->stop();
    load(QString());
}

void MoviePlayer::ended()
{
    stop();
    emit movieStopped();
}

} // namespace tovalin
