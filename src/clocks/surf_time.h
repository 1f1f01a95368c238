#pragma once
// How long the child surfs: a clock of its own that counts while the child's
// side is in use, whether or not the parent has set a time clock. Every full
// minute is told as it passes; a part-minute is told when counting pauses or
// the program ends, so an orderly end loses nothing and a crash at most the
// minute under way.

#include <QObject>
#include <functional>

namespace tovalin {

class TickSource;

class SurfTime : public QObject {
    Q_OBJECT
public:
    /// One tick of the source is one minute surfed.
    static constexpr int kMinuteMs = 60 * 1000;
    /// Milliseconds of a steady clock; tests give their own.
    using SteadyClock = std::function<qint64()>;

    /// The clock drives itself from ticks; it does not own the source. Without a steady clock a
    /// monotonic one is used.
    explicit SurfTime(TickSource &ticks, SteadyClock steady = {}, QObject *parent = nullptr);

    /// Counts while on; turning it off tells the part-minute counted since the last minute.
    void setCounting(bool on);
    bool counting() const { return m_counting; }
    /// Tells the part-minute counted so far (at an orderly end) and goes on counting from now.
    void flush();

signals:
    /// This many seconds were surfed since the last report (60 for a full minute).
    void surfed(int seconds);

private:
    void onTick();

    TickSource &m_ticks;
    SteadyClock m_steady;
    bool m_counting = false;
    qint64 m_mark = 0; // steady time of the last report
};

} // namespace tovalin
