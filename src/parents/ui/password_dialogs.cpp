#include "parents/ui/password_dialogs.h"

#include "parents/menu_lock.h"
#include "parents/ui/parents_look.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tovalin {

void showParentsMessage(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
}

PasswordDialogBase::PasswordDialogBase(MenuLock &lock, QWidget *parent)
    : QDialog(parent), m_lock(lock), m_sink(showParentsMessage)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    look::paintWhite(this);
}

QList<QLineEdit *> PasswordDialogBase::build(const QString &heading, const QList<QPair<QString, QString>> &entries,
                                             const QString &okText)
{
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 16, 12);
    outer->setSpacing(16);

    // A band on the left with the padlock: the parents recognise their dialogs at a glance.
    auto *band = new QLabel(this);
    band->setObjectName(QStringLiteral("lockPicture"));
    band->setPixmap(look::padlock(56));
    band->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    band->setContentsMargins(14, 18, 14, 0);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, look::kBand);
    band->setPalette(pal);
    outer->addWidget(band);

    auto *column = new QVBoxLayout;
    m_column = column;
    column->setContentsMargins(0, 14, 0, 0);
    column->setSpacing(10);
    m_heading = new QLabel(heading, this);
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setFont(look::headingFont(m_heading->font()));
    m_heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    column->addWidget(m_heading);

    auto *form = new QFormLayout;
    form->setHorizontalSpacing(12);
    for (const auto &[label, name] : entries) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setEchoMode(QLineEdit::Password);
        // A star for every character typed, whatever the desktop style would show.
        edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
        edit->setMinimumWidth(180);
        if (label.isEmpty())
            form->addRow(edit);
        else
            form->addRow(label, edit);
        m_entries.append(edit);
    }
    column->addLayout(form);
    column->addStretch(1);

    // Enter moves to the next entry and confirms in the last one, as the parents expect of a form.
    for (int i = 0; i < m_entries.size(); ++i) {
        QLineEdit *edit = m_entries.at(i);
        if (i + 1 < m_entries.size()) {
            QLineEdit *next = m_entries.at(i + 1);
            connect(edit, &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
        } else {
            connect(edit, &QLineEdit::returnPressed, this, [this] { confirm(); });
        }
    }

    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttonRow"));
    buttons->addStretch(1);
    auto *ok = new QPushButton(okText, this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("Button2"));
    // Enter belongs to the entries: no button is the default.
    for (QPushButton *b : {ok, close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(80);
        buttons->addWidget(b);
    }
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(close, &QPushButton::clicked, this, [this] {
        clearEntries();
        reject();
    });
    column->addLayout(buttons);
    outer->addLayout(column, 1);
    return m_entries;
}

void PasswordDialogBase::finish(bool accepted, const QStringList &messages)
{
    for (const QString &message : messages)
        m_sink(this, message);
    if (accepted) {
        clearEntries();
        accept();
    }
}

void PasswordDialogBase::clearEntries()
{
    for (QLineEdit *edit : std::as_const(m_entries))
        edit->clear();
}

void PasswordDialogBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    clearEntries();
    if (!m_entries.isEmpty())
        m_entries.constFirst()->setFocus();
    // Centred on the window that opened it.
    if (QWidget *owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - rect().center());
    }
}

// ---------------------------------------------------------------- Twachtwoord1

CreatePasswordDialog::CreatePasswordDialog(MenuLock &lock, QWidget *parent) : PasswordDialogBase(lock, parent)
{
    setObjectName(QStringLiteral("Twachtwoord1"));
    setWindowTitle(tr("Create a password"));
    build(tr("Create a password with which you can lock") + QLatin1Char('\n') + tr("the menu"),
          {{tr("New password:"), QStringLiteral("Edit1")}, {tr("Repeat password:"), QStringLiteral("Edit2")}},
          tr("OK"));
}

void CreatePasswordDialog::confirm()
{
    const MenuLock::Confirmation c = m_lock.createPassword(m_entries.at(0)->text(), m_entries.at(1)->text());
    finish(c.accepted, c.messages);
}

// ---------------------------------------------------------------- Tblokmenu

LockMenuDialog::LockMenuDialog(MenuLock &lock, QWidget *parent) : PasswordDialogBase(lock, parent)
{
    setObjectName(QStringLiteral("Tblokmenu"));
    setWindowTitle(m_lock.lockDialogCaption());
    build(tr("Enter your password"), {{QString(), QStringLiteral("Edit1")}}, tr("Ok"));

    auto *change = look::makeLink(tr("Change password"), QStringLiteral("accepteerblokkeer"), this);
    // Just above the buttons.
    m_column->insertWidget(m_column->count() - 1, change, 0, Qt::AlignLeft);
    connect(change, &QPushButton::clicked, this, [this] {
        reject();
        emit changePasswordRequested();
    });
}

void LockMenuDialog::showEvent(QShowEvent *event)
{
    setWindowTitle(m_lock.lockDialogCaption());
    PasswordDialogBase::showEvent(event);
}

void LockMenuDialog::confirm()
{
    const MenuLock::Confirmation c = m_lock.lockOrUnlock(m_entries.at(0)->text());
    finish(c.accepted, c.messages);
}

// ---------------------------------------------------------------- TVeranderen

ChangePasswordDialog::ChangePasswordDialog(MenuLock &lock, QWidget *parent) : PasswordDialogBase(lock, parent)
{
    setObjectName(QStringLiteral("TVeranderen"));
    setWindowTitle(tr("Change password"));
    build(tr("Change") + QLatin1Char('\n') + tr("your password"),
          {{tr("Old password:"), QStringLiteral("Edit1")},
           {tr("New password:"), QStringLiteral("Edit2")},
           {tr("Repeat password:"), QStringLiteral("Edit3")}},
          tr("OK"));
}

void ChangePasswordDialog::confirm()
{
    const MenuLock::Confirmation c =
        m_lock.changePassword(m_entries.at(0)->text(), m_entries.at(1)->text(), m_entries.at(2)->text());
    finish(c.accepted, c.messages);
}

} // namespace tovalin
