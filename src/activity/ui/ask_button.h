#pragma once
// The child's "Ask" button beside the forbidden sign: it shows after a refusal
// by the lists or the categories, sends the request with a click, and then
// says the request is sent (a click then opens the request window again).

#include "activity/activity_recorder.h"

#include <QIcon>
#include <QToolButton>

namespace tovalin {

class AskButton : public QToolButton {
    Q_OBJECT
public:
    AskButton(ActivityRecorder &recorder, QWidget *parent = nullptr);

    static QString askText();
    static QString sentText();

signals:
    /// The request is recorded: the request window is to show it.
    void requestWindowWanted(int requestId);

private:
    void showState(ActivityRecorder::AskState state);
    void clicked();

    ActivityRecorder &m_recorder;
    QIcon m_askIcon;  // drawn when the button first shows
    QIcon m_sentIcon; // drawn when the button first shows
};

} // namespace tovalin
