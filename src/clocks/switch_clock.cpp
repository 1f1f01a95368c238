#include "clocks/switch_clock.h"

#include "platform/sound.h"
#include "platform/tick_source.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <cmath>
#include <limits>

Q_LOGGING_CATEGORY(lcSwitchClock, "tovalin.clocks")

namespace tovalin {

SwitchClock::SwitchClock(TickSource &ticks, SoundPlayer &sound, QString whistlePath, QObject *parent)
    : QObject(parent), m_ticks(ticks), m_sound(sound), m_whistlePath(std::move(whistlePath))
{
    if (m_ticks.interval() < 1)
        m_ticks.setInterval(kDesignIntervalMs);
    connect(&m_ticks, &TickSource::ticked, this, &SwitchClock::tick);
}

QString SwitchClock::emptyEntryText()
{
    return QCoreApplication::translate("SwitchClock", "You activated the switch clock, but did not enter a time span ");
}

void SwitchClock::setEntry(const QString &text)
{
    if (text == m_entry)
        return;
    m_entry = text;
    emit buttonsChanged();
}

void SwitchClock::setStripWidth(int width)
{
    m_stripWidth = width;
    if (!m_stripWidthSet) {
        m_stripWidthSet = true;
        m_leftLeft = farEnd();
    }
    emit stripChanged();
}

std::optional<double> SwitchClock::parseMinutes(const QString &text)
{
    // Fractional minutes are written with the decimal separator of the system, as typed.
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double minutes = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(minutes) || !(minutes > 0))
        return std::nullopt;
    return minutes;
}

std::optional<int> SwitchClock::intervalFor(double minutes, int stripWidth)
{
    const int distance = stripWidth - kFigureRoom;
    if (distance < 1)
        return std::nullopt;
    const double ms = std::trunc(minutes * 60.0 * 1000.0 / distance);
    // A timer of 0 ms would never fire again and one beyond int cannot be set:
    // very short spans walk as fast as the timer goes, very long ones as slowly.
    if (!(ms >= 1))
        return 1;
    if (ms > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(ms);
}

SwitchClock::StartResult SwitchClock::start()
{
    if (m_entry.trimmed().isEmpty())
        return {false, emptyEntryText()};
    runFromStart();
    return {true, {}};
}

void SwitchClock::activateForUser(bool startWisselKlok)
{
    if (startWisselKlok)
        runFromStart();
    else
        stop();
}

void SwitchClock::runFromStart()
{
    const bool wasRunning = running();
    setStripVisible(true);
    if (!wasRunning)
        m_ticks.start(m_ticks.interval());
    // Which figure walks is kept: only the starting places are reset.
    m_rightLeft = kStartLeft;
    m_leftLeft = farEnd();
    emit stripChanged();
    if (!wasRunning)
        emit runningChanged(true);
    emit buttonsChanged();
}

void SwitchClock::stop()
{
    const bool wasRunning = running();
    setStripVisible(false);
    m_ticks.stop();
    if (wasRunning)
        emit runningChanged(false);
    emit buttonsChanged();
}

void SwitchClock::tick()
{
    QString minutesText;
    if (m_userManagerMinutes)
        minutesText = m_userManagerMinutes();
    if (minutesText.isEmpty())
        minutesText = m_entry;

    const std::optional<double> minutes = parseMinutes(minutesText);
    if (!minutes) {
        // No usable minutes: the strip goes away, the timer keeps running (as designed).
        qCDebug(lcSwitchClock) << "switch clock has no valid minutes:" << minutesText;
        setStripVisible(false);
        return;
    }
    const std::optional<int> interval = intervalFor(*minutes, m_stripWidth);
    if (!interval) {
        // A strip too narrow to walk on has no pace: the tick passes without a step until the
        // window is wide again, rather than dividing by nothing.
        return;
    }
    // Recomputed every tick, so a resized window changes the pace at once.
    m_ticks.setInterval(*interval);

    if (m_rightVisible) {
        if (m_rightLeft < farEnd()) {
            ++m_rightLeft;
        } else {
            m_leftVisible = true;
            m_rightVisible = false;
            m_rightLeft = 0;
            whistle();
        }
    } else {
        if (m_leftLeft >= 1) {
            --m_leftLeft;
        } else {
            m_leftVisible = false;
            m_rightVisible = true;
            m_leftLeft = farEnd();
            whistle();
        }
    }
    emit stripChanged();
}

void SwitchClock::whistle()
{
    // Played without waiting; a missing file or sound device stays silent.
    m_sound.play(m_whistlePath);
}

void SwitchClock::figureClicked()
{
    if (running()) {
        m_ticks.stop();
        emit runningChanged(false);
    } else {
        m_ticks.start(m_ticks.interval());
        emit runningChanged(true);
    }
    emit buttonsChanged();
}

void SwitchClock::rightWalkerDoubleClicked()
{
    m_rightLeft = 0;
    emit stripChanged();
}

void SwitchClock::leftWalkerDoubleClicked()
{
    m_leftLeft = farEnd();
    emit stripChanged();
}

bool SwitchClock::running() const
{
    return m_ticks.isActive();
}

int SwitchClock::intervalMs() const
{
    return m_ticks.interval();
}

bool SwitchClock::startEnabled() const
{
    return !m_entry.trimmed().isEmpty() && !running();
}

void SwitchClock::setStripVisible(bool visible)
{
    if (visible == m_stripVisible)
        return;
    m_stripVisible = visible;
    emit stripChanged();
}

} // namespace tovalin
