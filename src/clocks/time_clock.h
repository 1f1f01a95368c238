#pragma once
// The time clock: a surfing-time limit. The parent gives whole minutes; the
// gauge `ProgressBar1` fills in 1000 steps over that span and, once full,
// the browser page gives way to the "Time's up!" page and the guard refuses
// every navigation until the clock is started again or stopped.
//
// The model holds the minute entry `ALEdit1`, the gauge and the state of
// `Timer1`; the clocks dialog and the main window only show them.

#include <QObject>
#include <QString>
#include <optional>

namespace tovalin {

class TickSource;

class TimeClock : public QObject {
    Q_OBJECT
public:
    /// The gauge's range: position 1000 means the time is up.
    static constexpr int kFull = 1000;
    /// One step is a thousandth of the span: minutes x 60 000 ms / 1000.
    static constexpr int kMsPerMinutePerStep = 60;

    enum class StartOutcome { Started, EmptyEntry, NotWholeNumber };
    struct StartResult {
        StartOutcome outcome = StartOutcome::Started;
        QString message; ///< the text to show, empty when started
    };

    /// The clock drives itself from ticks; it does not own the source.
    explicit TimeClock(TickSource &ticks, QObject *parent = nullptr);

    /// The minute entry `ALEdit1`, untrimmed as typed.
    const QString &entry() const { return m_entry; }
    void setEntry(const QString &text);

    /// "Start clock" (also Enter in the entry): checks the entry, then runs from 0.
    /// An empty entry or a refused number leaves the clock as it was.
    StartResult start();
    /// "Stop clock": timer off, gauge hidden at 0. The page shown is left alone.
    void stop();

    /// User activation: with `StartTijdKlok` copies `MinTijdKlok` into the entry and starts
    /// (its messages returned); without it stops the clock.
    StartResult activateForUser(bool startTijdKlok, const QString &minTijdKlok);

    bool running() const;
    /// `ProgressBar1`'s position, 0..1000.
    int position() const { return m_position; }
    bool gaugeVisible() const { return m_gaugeVisible; }
    /// The guard's question: 1000 means every navigation is refused.
    bool timeIsUp() const { return m_position >= kFull; }
    /// Milliseconds per step of the running clock.
    int intervalMs() const;

    /// Button rule: "Stop clock" is enabled exactly while the timer runs.
    bool stopEnabled() const { return running(); }
    /// Button rule: "Start clock" is enabled when the trimmed entry is not empty and the timer does not run.
    bool startEnabled() const;

    /// Converts as a whole number: blanks before it, an optional sign, then digits only; anything
    /// after the digits (a trailing blank included) refuses. nullopt when refused.
    static std::optional<int> parseWholeNumber(const QString &text);

    static QString emptyEntryText();
    static QString notWholeNumberText();
    static QString timeUpText();

signals:
    void positionChanged(int position);
    void gaugeVisibleChanged(bool visible);
    void runningChanged(bool running);
    /// The entry or the timer changed: the dialog re-applies the button rule.
    void buttonsChanged();
    /// The browser page is to be shown (a start leaves a "Time's up!" page).
    void browserPageRequested();
    /// The gauge reached 1000: the main window shows its `Timeup` page.
    void timeUp();

private:
    void onTick();
    void setPosition(int position);
    void setGaugeVisible(bool visible);

    TickSource &m_ticks;
    QString m_entry;
    int m_position = 0;
    bool m_gaugeVisible = false;
};

} // namespace tovalin
