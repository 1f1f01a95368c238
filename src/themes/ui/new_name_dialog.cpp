#include "themes/ui/new_name_dialog.h"

#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovalin {

NewNameDialog::NewNameDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Nieuwenaam"));
    setWindowTitle(tr("Enter a new name"));
    setModal(true);
    look::paintWhite(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 12);
    auto *line = new QLabel(tr("Enter a new name"), this);
    line->setObjectName(QStringLiteral("Label1"));
    line->setFont(look::headingFont(line->font()));
    column->addWidget(line);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMinimumWidth(280);
    column->addWidget(m_edit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setAutoDefault(false);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    column->addLayout(buttons);

    // OK and Enter close only with a name; Cancel empties the field, which tells the caller.
    connect(ok, &QPushButton::clicked, this, &NewNameDialog::tryAccept);
    connect(m_edit, &QLineEdit::returnPressed, this, &NewNameDialog::tryAccept);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_edit->clear();
        reject();
    });
    connect(this, &QDialog::rejected, m_edit, &QLineEdit::clear);
}

void NewNameDialog::showEvent(QShowEvent *event)
{
    m_edit->clear();
    QDialog::showEvent(event);
    m_edit->setFocus();
}

void NewNameDialog::tryAccept()
{
    if (!m_edit->text().trimmed().isEmpty())
        accept();
}

QString NewNameDialog::ask()
{
    exec();
    return m_edit->text();
}

} // namespace tovalin
