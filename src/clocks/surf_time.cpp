#include "clocks/surf_time.h"

#include "platform/tick_source.h"

#include <QElapsedTimer>
#include <algorithm>

namespace tovalin {

SurfTime::SurfTime(TickSource &ticks, SteadyClock steady, QObject *parent)
    : QObject(parent), m_ticks(ticks), m_steady(std::move(steady))
{
    if (!m_steady) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_steady = [timer] { return timer->elapsed(); };
    }
    connect(&m_ticks, &TickSource::ticked, this, &SurfTime::onTick);
}

void SurfTime::setCounting(bool on)
{
    if (on == m_counting)
        return;
    if (on) {
        m_counting = true;
        m_mark = m_steady();
        m_ticks.start(kMinuteMs);
        return;
    }
    flush();
    m_counting = false;
    m_ticks.stop();
}

void SurfTime::flush()
{
    if (!m_counting)
        return;
    const qint64 now = m_steady();
    // A part-minute never counts for more than the minute the next tick would have told.
    const int seconds = int(std::clamp<qint64>((now - m_mark) / 1000, 0, kMinuteMs / 1000));
    m_mark = now;
    // The next full minute counts from here.
    m_ticks.start(kMinuteMs);
    if (seconds > 0)
        emit surfed(seconds);
}

void SurfTime::onTick()
{
    if (!m_counting)
        return;
    m_mark = m_steady();
    emit surfed(kMinuteMs / 1000);
}

} // namespace tovalin
