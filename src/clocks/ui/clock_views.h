#pragma once
// What the clocks show on the main window: the time clock's gauge
// `ProgressBar1` and the "Time's up!" page, and the switch clock's strip
// `Panel15` with its two walking figures `Image8` and `Image10`, drawn here.

#include <QWidget>

class QProgressBar;
class QStackedWidget;

namespace tovalin {

class SwitchClock;
class TimeClock;

/// Keeps the gauge (position, visibility) on the clock's state, shows the `Timeup` page when the
/// time is up and the browser page when the clock (re)starts.
void bindTimeClock(TimeClock &clock, QProgressBar *gauge, QStackedWidget *pages, QWidget *browserPage,
                   QWidget *timeupPage);

/// Fills the main window's `Timeup` page: the picture `Image11` centred in the page and, along its
/// bottom, the yellow panel `Panel47` with "Time's up!" in a 32-pixel bold font, black on yellow.
void fillTimeUpPage(QWidget *page);

/// A walking child, drawn in code; its pose follows its place on the strip.
class WalkingFigure : public QWidget {
    Q_OBJECT
public:
    enum class Direction { Right, Left };
    static constexpr int kWidth = 46;

    WalkingFigure(Direction direction, QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    Direction m_direction;
    bool m_afterDoubleClick = false;
};

/// Fills `Panel15`: its colour, the two figures at the clock's places, and the strip's width fed back
/// to the clock. A click on a figure pauses or resumes; a double click starts its walk again.
class SwitchStripView : public QWidget {
    Q_OBJECT
public:
    SwitchStripView(SwitchClock &clock, QWidget *strip);

    WalkingFigure *rightWalker() const { return m_right; }
    WalkingFigure *leftWalker() const { return m_left; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void follow();

    SwitchClock &m_clock;
    QWidget *m_strip = nullptr;
    WalkingFigure *m_right = nullptr; // Image8
    WalkingFigure *m_left = nullptr;  // Image10
};

} // namespace tovalin
