#pragma once
// The parents' "Requests" page: the open requests, newest first, each with the
// allow choices, Allow and Refuse; below them the requests answered in the
// last days.

#include "activity/request_store.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tovalin {

class AllowChoices;

class RequestsPage : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        /// Allows a request; the problems to show, empty when done.
        std::function<QStringList(int id, const AllowScope &scope)> allow;
        /// Refuses a request; the problem to show, empty when done.
        std::function<QString(int id)> refuse;
    };

    RequestsPage(RequestStore &store, Actions actions, QWidget *parent = nullptr);

    /// Reads the requests again and shows them.
    void refresh();

private:
    void answerSelected(bool allow);
    int selectedId() const;

    RequestStore &m_store;
    Actions m_actions;
    QTreeWidget *m_open = nullptr;
    QTreeWidget *m_answered = nullptr;
    AllowChoices *m_choices = nullptr;
    QPushButton *m_allow = nullptr;
    QPushButton *m_refuse = nullptr;
    QLabel *m_status = nullptr;
};

/// Local time as the parents' pages show it: the date and the time of day.
QString shownTime(const QDateTime &time);
/// "Whitelist", "Blacklist", ... as the parents' pages name a refusal's reason.
QString shownReason(const QString &reason);

} // namespace tovalin
