#pragma once
// The clocks dialog `Ttijdklokform` ("Clocks"): a left column of links and
// two tab-less pages, the time clock (`tijdkloktab`) and the switch clock
// (`wisselkloktab`), each with its minute entry and Start and Stop buttons.
// Closing it leaves both clocks running.

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tovalin {

class SwitchClock;
class TimeClock;

class ClocksDialog : public QDialog {
    Q_OBJECT
public:
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    ClocksDialog(TimeClock &timeClock, SwitchClock &switchClock, QWidget *parent = nullptr);

    /// "Start clock" of the time clock (also Enter in `ALEdit1`).
    void startTimeClock();
    void stopTimeClock();
    /// "Start clock" of the switch clock (also Enter in `ALEdit2`).
    void startSwitchClock();
    void stopSwitchClock();

    /// Shows the time-clock tab (page 0) or the switch-clock tab (page 1), applying the button rule.
    void showTab(int index);

    void setMessage(Message message) { m_message = std::move(message); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyTimeButtons();
    void applySwitchButtons();

    TimeClock &m_time;
    SwitchClock &m_switch;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_timeEntry = nullptr;     // ALEdit1
    QLineEdit *m_switchEntry = nullptr;   // ALEdit2
    QPushButton *m_timeStart = nullptr;   // XiButton1
    QPushButton *m_timeStop = nullptr;    // XiButton2
    QPushButton *m_switchStart = nullptr; // XiButton3
    QPushButton *m_switchStop = nullptr;  // XiButton4
    Message m_message;
};

} // namespace tovalin
