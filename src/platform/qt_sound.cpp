#include "platform/qt_sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tovalin {

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent), m_effect(new QSoundEffect(this))
{
    // Loading is asynchronous; a sound asked for while its file still loads
    // starts as soon as it is ready. An error (bad file, no device) just ends it.
    connect(m_effect, &QSoundEffect::statusChanged, this, [this] {
        if (m_pending && m_effect->status() == QSoundEffect::Ready) {
            m_pending = false;
            m_effect->play();
        } else if (m_effect->status() == QSoundEffect::Error) {
            m_pending = false;
        }
    });
}

void QtSoundPlayer::play(const QString &path)
{
    m_effect->stop();
    m_pending = false;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_lastSource.clear();
        return;
    }
    m_lastSource = path;
    const QUrl source = QUrl::fromLocalFile(path);
    if (m_effect->source() != source)
        m_effect->setSource(source);
    if (m_effect->status() == QSoundEffect::Ready)
        m_effect->play();
    else
        m_pending = true;
}

} // namespace tovalin
