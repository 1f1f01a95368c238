#pragma once
// SoundPlayer on QSoundEffect: one effect for the program, so a new sound cuts
// the previous one. A missing file or no sound device plays nothing, silently.

#include "platform/sound.h"

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QSoundEffect;
QT_END_NAMESPACE

namespace tovalin {

class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject *parent = nullptr);

    /// Stops what plays and starts the WAV file at path once it is loaded; never reports an error.
    void play(const QString &path) override;

    /// The file asked for last (empty when it did not exist): for tests.
    QString lastSource() const { return m_lastSource; }

private:
    QSoundEffect *m_effect;
    QString m_lastSource;
    bool m_pending = false; ///< play once the file has loaded
};

} // namespace tovalin
