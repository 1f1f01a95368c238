#pragma once
// Short sounds played asynchronously; a new sound cuts the previous one.
// No sound device or a missing file plays nothing, silently.

#include <QString>

namespace tovalin {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    /// Plays a WAV file given by its full path.
    virtual void play(const QString &path) = 0;
};

/// Plays nothing: for the admin command and for measurements.
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString &) override {}
};

} // namespace tovalin
