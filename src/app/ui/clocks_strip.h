#pragma once
// The clocks' strip along the bottom of the window: the switch clock's `Panel15` with its
// walking figures, just above the time clock's gauge `ProgressBar1`. Both are hidden until
// a clock runs.

#include <QWidget>

class QProgressBar;

namespace tovalin {

class ClocksStrip : public QWidget {
    Q_OBJECT
public:
    explicit ClocksStrip(QWidget *parent = nullptr);

    /// `Panel15`: the switch clock's view fills it.
    QWidget *switchClockStrip() const { return m_switchStrip; }
    /// `ProgressBar1`.
    QProgressBar *timeClockGauge() const { return m_timeGauge; }

private:
    QWidget *m_switchStrip = nullptr;
    QProgressBar *m_timeGauge = nullptr;
};

} // namespace tovalin
