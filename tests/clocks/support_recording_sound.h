#pragma once
// A sound player that records what it was asked to play.

#include "platform/sound.h"

#include <QStringList>

class RecordingSound final : public tovalin::SoundPlayer {
public:
    void play(const QString &path) override { played.append(path); }
    QStringList played;
};
