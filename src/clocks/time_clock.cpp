#include "clocks/time_clock.h"

#include "platform/tick_source.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <limits>

Q_LOGGING_CATEGORY(lcTimeClock, "tovalin.clocks")

namespace tovalin {

namespace {

// The conversion skips blanks before the number only, as the entry's whole-number rule says.
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

} // namespace

TimeClock::TimeClock(TickSource &ticks, QObject *parent) : QObject(parent), m_ticks(ticks)
{
    connect(&m_ticks, &TickSource::ticked, this, &TimeClock::onTick);
}

QString TimeClock::emptyEntryText()
{
    return QCoreApplication::translate("TimeClock", "You activated the clock, but did not enter a time span");
}

QString TimeClock::notWholeNumberText()
{
    return QCoreApplication::translate("TimeClock", "Only whole numbers are allowed");
}

QString TimeClock::timeUpText()
{
    return QCoreApplication::translate("TimeClock", "Time's up!");
}

void TimeClock::setEntry(const QString &text)
{
    if (text == m_entry)
        return;
    m_entry = text;
    emit buttonsChanged();
}

std::optional<int> TimeClock::parseWholeNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

TimeClock::StartResult TimeClock::start()
{
    if (m_entry.trimmed().isEmpty()) {
        emit buttonsChanged();
        return {StartOutcome::EmptyEntry, emptyEntryText()};
    }
    const std::optional<int> minutes = parseWholeNumber(m_entry);
    // A negative span would make a timer that runs backwards (the window timer took it as
    // some 49 days), and a span beyond the timer's range cannot be timed: both are refused
    // like any other entry that is not a usable whole number of minutes.
    if (!minutes || *minutes < 0 || *minutes > std::numeric_limits<int>::max() / kMsPerMinutePerStep)
        return {StartOutcome::NotWholeNumber, notWholeNumberText()};

    const bool wasRunning = running();
    m_ticks.start(*minutes * kMsPerMinutePerStep);
    setGaugeVisible(true);
    setPosition(0);
    qCDebug(lcTimeClock) << "time clock started:" << *minutes << "minutes";
    emit browserPageRequested();
    if (!wasRunning)
        emit runningChanged(true);
    emit buttonsChanged();
    return {};
}

void TimeClock::stop()
{
    const bool wasRunning = running();
    m_ticks.stop();
    setGaugeVisible(false);
    setPosition(0);
    if (wasRunning)
        emit runningChanged(false);
    emit buttonsChanged();
}

TimeClock::StartResult TimeClock::activateForUser(bool startTijdKlok, const QString &minTijdKlok)
{
    if (!startTijdKlok) {
        stop();
        return {};
    }
    setEntry(minTijdKlok);
    return start();
}

bool TimeClock::running() const
{
    return m_ticks.isActive();
}

int TimeClock::intervalMs() const
{
    return m_ticks.interval();
}

bool TimeClock::startEnabled() const
{
    return !m_entry.trimmed().isEmpty() && !running();
}

void TimeClock::onTick()
{
    if (m_position >= kFull)
        return;
    setPosition(m_position + 1);
    if (m_position == kFull) {
        // The full gauge is the only sign: no warning before, no sound now, and a playing
        // video is left to play. The gauge stays visible and full.
        m_ticks.stop();
        qCDebug(lcTimeClock) << "time is up";
        emit runningChanged(false);
        emit buttonsChanged();
        emit timeUp();
    }
}

void TimeClock::setPosition(int position)
{
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(position);
}

void TimeClock::setGaugeVisible(bool visible)
{
    if (visible == m_gaugeVisible)
        return;
    m_gaugeVisible = visible;
    emit gaugeVisibleChanged(visible);
}

} // namespace tovalin
