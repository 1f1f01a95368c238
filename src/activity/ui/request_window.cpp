#include "activity/ui/request_window.h"

#include "activity/ui/activity_look.h"
#include "activity/ui/allow_choices.h"
#include "parents/menu_lock.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

RequestWindow::RequestWindow(RequestActions actions, QWidget *parent) : QDialog(parent), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("RequestWindow"));
    setWindowTitle(tr("Ask a parent"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    look::paintWhite(this);
    setMinimumWidth(520);

    auto *outer = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    auto *picture = new QLabel(this);
    picture->setPixmap(activitylook::sentPicture(56));
    head->addWidget(picture);
    auto *heading = new QLabel(tr("Your question has been sent to a parent."), this);
    heading->setObjectName(QStringLiteral("requestHeading"));
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    heading->setWordWrap(true);
    head->addWidget(heading, 1);
    outer->addLayout(head);
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("requestAddress"));
    m_address->setTextFormat(Qt::PlainText);
    m_address->setWordWrap(true);
    outer->addWidget(m_address);

    m_pages = new QStackedWidget(this);
    outer->addWidget(m_pages);

    // The child's page: wait for a parent, or fetch one.
    m_waitPage = new QWidget;
    {
        auto *lay = new QVBoxLayout(m_waitPage);
        lay->setContentsMargins(0, 8, 0, 0);
        lay->addWidget(new QLabel(tr("A parent can answer it later, or now:"), m_waitPage));
        auto *row = new QHBoxLayout;
        auto *here = button(tr("A parent is here"), "ParentIsHere", m_waitPage);
        here->setIcon(QIcon(look::padlock(32)));
        here->setIconSize(QSize(24, 24));
        auto *close = button(tr("Close"), "CloseRequest", m_waitPage);
        row->addWidget(here);
        row->addStretch(1);
        row->addWidget(close);
        lay->addLayout(row);
        connect(here, &QPushButton::clicked, this, &RequestWindow::parentIsHere);
        connect(close, &QPushButton::clicked, this, &QDialog::close);
    }
    m_pages->addWidget(m_waitPage);

    // The parents' password.
    m_passwordPage = new QWidget;
    {
        auto *lay = new QVBoxLayout(m_passwordPage);
        lay->setContentsMargins(0, 8, 0, 0);
        lay->addWidget(new QLabel(tr("Enter your password"), m_passwordPage));
        auto *row = new QHBoxLayout;
        m_password = new QLineEdit(m_passwordPage);
        m_password->setObjectName(QStringLiteral("RequestPassword"));
        m_password->setEchoMode(QLineEdit::Password);
        auto *ok = button(tr("Ok"), "PasswordOk", m_passwordPage);
        auto *back = button(tr("Close"), "PasswordClose", m_passwordPage);
        row->addWidget(m_password, 1);
        row->addWidget(ok);
        row->addWidget(back);
        lay->addLayout(row);
        connect(m_password, &QLineEdit::returnPressed, this, &RequestWindow::checkPassword);
        connect(ok, &QPushButton::clicked, this, &RequestWindow::checkPassword);
        connect(back, &QPushButton::clicked, this, [this] {
            m_password->clear();
            m_status->clear();
            showPage(m_waitPage);
        });
    }
    m_pages->addWidget(m_passwordPage);

    // The parent's answer.
    m_answerPage = new QWidget;
    {
        auto *lay = new QVBoxLayout(m_answerPage);
        lay->setContentsMargins(0, 8, 0, 0);
        auto *question = new QLabel(tr("Allow it for the child?"), m_answerPage);
        QFont bold = question->font();
        bold.setBold(true);
        question->setFont(bold);
        lay->addWidget(question);
        m_choices = new AllowChoices(m_answerPage);
        lay->addWidget(m_choices);
        auto *row = new QHBoxLayout;
        auto *allowButton = button(tr("Allow"), "AllowRequest", m_answerPage);
        allowButton->setIcon(QIcon(look::roundSign(20, true)));
        auto *refuseButton = button(tr("Refuse"), "RefuseRequest", m_answerPage);
        refuseButton->setIcon(QIcon(look::roundSign(20, false)));
        auto *close = button(tr("Close"), "AnswerClose", m_answerPage);
        row->addWidget(allowButton);
        row->addWidget(refuseButton);
        row->addStretch(1);
        row->addWidget(close);
        lay->addLayout(row);
        connect(close, &QPushButton::clicked, this, &QDialog::close);
        connect(allowButton, &QPushButton::clicked, this, &RequestWindow::allow);
        connect(refuseButton, &QPushButton::clicked, this, &RequestWindow::refuse);
    }
    m_pages->addWidget(m_answerPage);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("requestStatus"));
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20);"));
    outer->addWidget(m_status);
}

void RequestWindow::showRequest(int id)
{
    m_id = id;
    const std::optional<Request> request = m_actions.find ? m_actions.find(id) : std::nullopt;
    m_address->setText(request ? request->address : QString());
    m_password->clear();
    m_choices->reset();
    m_status->clear();
    showPage(m_waitPage);
    if (QWidget *p = parentWidget())
        move(p->window()->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    activateWindow();
}

void RequestWindow::showPage(QWidget *page)
{
    // The window takes the size of the page shown, not of the largest page.
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget *w = m_pages->widget(i);
        w->setSizePolicy(w == page ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                         w == page ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    m_pages->setCurrentWidget(page);
    m_pages->adjustSize();
    adjustSize();
}

void RequestWindow::tell(const QString &text)
{
    m_status->setText(text);
}

void RequestWindow::parentIsHere()
{
    m_status->clear();
    m_password->clear();
    showPage(m_passwordPage);
    m_password->setFocus();
}

void RequestWindow::checkPassword()
{
    const PasswordStore::Check check = m_actions.verifyPassword ? m_actions.verifyPassword(m_password->text())
                                                                : PasswordStore::Check{};
    m_password->clear();
    if (check.status == PasswordStore::Status::Match) {
        m_status->clear();
        showPage(m_answerPage);
        return;
    }
    if (check.status == PasswordStore::Status::Mismatch)
        tell(MenuLock::wrongPasswordLockText().trimmed());
    else if (check.status == PasswordStore::Status::Missing)
        tell(tr("No parents' password has been set yet: set one with the padlock first."));
    else
        tell(check.error);
}

void RequestWindow::allow()
{
    const QStringList problems = m_actions.allow ? m_actions.allow(m_id, m_choices->scope()) : QStringList();
    if (!problems.isEmpty()) {
        tell(problems.join(u'\n'));
        return;
    }
    close();
}

void RequestWindow::refuse()
{
    const QString problem = m_actions.refuse ? m_actions.refuse(m_id) : QString();
    if (!problem.isEmpty()) {
        tell(problem);
        return;
    }
    close();
}

} // namespace tovalin
