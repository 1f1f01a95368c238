#pragma once
// What the child does, written into the activity report as it happens, and the
// "Ask" offer of the child's bar: after a refusal by the lists or the
// categories the child may ask a parent for that address, once, until the
// next navigation.

#include "activity/activity_report.h"
#include "activity/request_store.h"
#include "guard/navigation_guard.h"

#include <QDateTime>
#include <QObject>
#include <functional>

namespace tovalin {

class ProgramState;

class ActivityRecorder : public QObject {
    Q_OBJECT
public:
    /// The local time; tests give their own.
    using Clock = std::function<QDateTime()>;

    /// Hidden: no refusal to ask about. Offered: the Ask button shows. Sent: the request is
    /// recorded. Failed: it could not be recorded.
    enum class AskState { Hidden, Offered, Sent, Failed };

    ActivityRecorder(const ProgramState &state, ActivityLog &log, RequestStore &requests, Clock clock = {},
                     QObject *parent = nullptr);

    QDateTime now() const { return m_clock(); }

    /// A before-navigate decision of the visible browser (NavigationGuard::navigationDecided).
    void navigationDecided(const QString &address, bool mainFrame, tovalin::Decision decision);
    /// The top document completed at this address.
    void pageCompleted(const QString &address);
    /// Seconds surfed (SurfTime::surfed): they count for the user and theme on show when the
    /// counting began or last told, so a part-minute told because the theme changes goes to the
    /// theme that was surfed.
    void surfed(int seconds);
    /// From now on the user and theme on show count the time surfed.
    void followSurfer();

    /// Why a verdict refused, as the report names it ("whitelist", "timeup", ...); empty for no refusal.
    static QString refusalReason(Verdict verdict);
    /// True for the refusals a child may ask a parent about: by the lists or the categories.
    static bool askable(const QString &reason);

    AskState askState() const { return m_askState; }
    const QString &askAddress() const { return m_askAddress; }
    /// The request the child's click recorded (0 before one).
    int askedId() const { return m_askedId; }
    /// The child's click on "Ask": records the request (the same address twice makes one).
    void ask();
    /// A request was answered (on the spot or on the parents' page): the report gets the answer.
    void requestAnswered(int id);

    ActivityLog &log() { return m_log; }
    RequestStore &requests() { return m_requests; }

signals:
    void askStateChanged(tovalin::ActivityRecorder::AskState state);
    /// Requests were added or answered: the count of open requests may have changed.
    void requestsChanged();

private:
    void setAskState(AskState state);
    bool hasUser() const;

    const ProgramState &m_state;
    ActivityLog &m_log;
    RequestStore &m_requests;
    Clock m_clock;
    AskState m_askState = AskState::Hidden;
    QString m_askAddress;
    QString m_askReason;
    QString m_askTheme;
    int m_askedId = 0;
    QString m_surfUser;
    QString m_surfTheme;
};

} // namespace tovalin
