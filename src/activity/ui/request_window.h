#pragma once
// The request window: the child's question is sent, and a parent who is near
// can answer it on the spot ("A parent is here"): the parents' password, then
// Allow (with its three choices) or Refuse. Nothing is allowed without the
// password.

#include "activity/request_store.h"
#include "parents/password_store.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tovalin {

class AllowChoices;

/// What the request window asks of the program.
struct RequestActions {
    std::function<std::optional<Request>(int id)> find;
    std::function<PasswordStore::Check(const QString &typed)> verifyPassword;
    /// Allows the request; the problems to show, empty when done.
    std::function<QStringList(int id, const AllowScope &scope)> allow;
    /// Refuses the request; the problem to show, empty when done.
    std::function<QString(int id)> refuse;
};

class RequestWindow : public QDialog {
    Q_OBJECT
public:
    RequestWindow(RequestActions actions, QWidget *parent = nullptr);

    /// Shows the request, on its first page, over the main window.
    void showRequest(int id);
    int requestId() const { return m_id; }

private:
    void parentIsHere();
    void checkPassword();
    void allow();
    void refuse();
    void tell(const QString &text);
    void showPage(QWidget *page);

    RequestActions m_actions;
    int m_id = 0;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_address = nullptr;
    QLabel *m_status = nullptr;
    QLineEdit *m_password = nullptr;
    AllowChoices *m_choices = nullptr;
    QWidget *m_waitPage = nullptr;
    QWidget *m_passwordPage = nullptr;
    QWidget *m_answerPage = nullptr;
};

} // namespace tovalin
