#pragma once
// The switch clock: two figures take turns walking across a strip above the
// time-clock gauge, each in the given minutes, with a whistle at every turn.
// It marks alternating turns of equal length and blocks nothing.
//
// The model holds the strip `Panel15` (shown, width), the figures `Image8`
// (walks right) and `Image10` (walks left), the minute entry `ALEdit2` and
// the state of `wisseltimer`; the main window only draws them.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace tovalin {

class SoundPlayer;
class TickSource;

class SwitchClock : public QObject {
    Q_OBJECT
public:
    /// The figures stop this many pixels short of the strip's right edge.
    static constexpr int kFigureRoom = 50;
    /// `wisseltimer`'s interval before its first tick.
    static constexpr int kDesignIntervalMs = 2000;
    /// Where "Start clock" and user activation put the right-walking figure.
    static constexpr int kStartLeft = 3;

    /// The user manager's minute text (`wisseledit`) when its box `CBWISSEL` is ticked, else empty.
    using UserManagerMinutes = std::function<QString()>;

    struct StartResult {
        bool started = false;
        QString message; ///< the text to show when not started (the dialog then focuses the entry)
    };

    /// The clock does not own the tick source or the sound player; whistlePath is "fluit.wav" of the program folder.
    SwitchClock(TickSource &ticks, SoundPlayer &sound, QString whistlePath, QObject *parent = nullptr);

    void setUserManagerMinutes(UserManagerMinutes source) { m_userManagerMinutes = std::move(source); }

    /// The minute entry `ALEdit2`, as typed.
    const QString &entry() const { return m_entry; }
    void setEntry(const QString &text);

    /// `Panel15`'s width; the first call also puts `Image10` at the far end, as window creation does.
    void setStripWidth(int width);
    int stripWidth() const { return m_stripWidth; }
    /// The left edge at which a figure has walked the whole way: strip width - 50.
    int farEnd() const { return m_stripWidth - kFigureRoom; }

    /// "Start clock": shows the strip, runs the timer, puts the figures at their starts.
    /// No number check here: a bad value hides the strip on the first tick.
    StartResult start();
    /// "Stop clock": strip hidden, timer off.
    void stop();
    /// User activation: `StartWisselKlok` starts as "Start clock" does (without the entry check), else stops.
    void activateForUser(bool startWisselKlok);

    /// One tick of `wisseltimer`: recompute the interval, move the walking figure one pixel,
    /// turn and whistle at the end.
    void tick();

    /// A click on either figure pauses or resumes the timer.
    void figureClicked();
    /// A double click on `Image8`: its walk begins again at 0.
    void rightWalkerDoubleClicked();
    /// A double click on `Image10`: its walk begins again at the far end.
    void leftWalkerDoubleClicked();

    bool running() const;
    int intervalMs() const;
    bool stripVisible() const { return m_stripVisible; }
    int rightWalkerLeft() const { return m_rightLeft; }
    bool rightWalkerVisible() const { return m_rightVisible; }
    int leftWalkerLeft() const { return m_leftLeft; }
    bool leftWalkerVisible() const { return m_leftVisible; }

    bool stopEnabled() const { return running(); }
    bool startEnabled() const;

    /// The minutes as a number above 0 in the system's notation (fractions allowed); nullopt otherwise.
    static std::optional<double> parseMinutes(const QString &text);
    /// Trunc(minutes x 60 000 / (width - 50)) ms per pixel, at least 1 ms and at most INT_MAX;
    /// nullopt when the strip leaves no room to walk.
    static std::optional<int> intervalFor(double minutes, int stripWidth);

    static QString emptyEntryText();

signals:
    /// Anything the strip shows changed (visibility, a figure's place or visibility).
    void stripChanged();
    void runningChanged(bool running);
    /// The entry or the timer changed: the dialog re-applies the button rule.
    void buttonsChanged();

private:
    void runFromStart();
    void setStripVisible(bool visible);
    void whistle();

    TickSource &m_ticks;
    SoundPlayer &m_sound;
    QString m_whistlePath;
    UserManagerMinutes m_userManagerMinutes;
    QString m_entry;
    int m_stripWidth = 0;
    bool m_stripWidthSet = false;
    bool m_stripVisible = false;
    int m_rightLeft = 0;
    bool m_rightVisible = true;
    int m_leftLeft = 0;
    bool m_leftVisible = false;
};

} // namespace tovalin
