#include "platform/tick_source.h"

namespace tovalin {

QtTickSource::QtTickSource(QObject *parent) : TickSource(parent)
{
    // Coarse timers may drift by 5 %, which over a 30-minute span would move the end by minutes.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickSource::ticked);
}

void QtTickSource::start(int intervalMs)
{
    m_interval = intervalMs;
    m_enabled = true;
    arm();
}

void QtTickSource::stop()
{
    m_enabled = false;
    m_timer.stop();
}

void QtTickSource::setInterval(int intervalMs)
{
    if (intervalMs == m_interval)
        return;
    m_interval = intervalMs;
    if (m_enabled)
        arm();
}

void QtTickSource::arm()
{
    // A QTimer with interval 0 would fire on every pass of the event loop;
    // the window timer it replaces never fires at all.
    if (m_interval < 1) {
        m_timer.stop();
        return;
    }
    m_timer.start(m_interval);
}

int FakeTickSource::tick(int count)
{
    int fired = 0;
    for (int i = 0; i < count; ++i) {
        if (!m_enabled || m_interval < 1)
            break;
        emit ticked();
        ++fired;
    }
    return fired;
}

} // namespace tovalin
