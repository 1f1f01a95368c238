#include "themes/ui/theme_download_page.h"

#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tovalin {

ThemeDownloadPage::ThemeDownloadPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("downloadpage"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    auto *column = new QVBoxLayout;
    auto *title = new QLabel(tr("Download from internet"), this);
    title->setObjectName(QStringLiteral("Label46"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);
    column->addWidget(new QLabel(tr("The following theme's have been downloaded"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox4"));
    m_list->setMaximumWidth(320);
    column->addWidget(m_list, 1);
    row->addLayout(column, 1);

    m_more = new QWidget(this);
    m_more->setObjectName(QStringLiteral("Panel44"));
    auto *moreColumn = new QVBoxLayout(m_more);
    moreColumn->setContentsMargins(12, 0, 0, 0);
    m_moreLink = look::makeLink(tr("Download more theme's"), QStringLiteral("Label47"), m_more);
    moreColumn->addWidget(m_moreLink);
    moreColumn->addStretch(1);
    row->addWidget(m_more);
    row->addStretch(1);
    connect(m_moreLink, &QPushButton::clicked, this, &ThemeDownloadPage::moreRequested);
}

void ThemeDownloadPage::addTheme(const QString &name)
{
    m_list->addItem(name);
}

void ThemeDownloadPage::setMoreVisible(bool visible)
{
    m_more->setVisible(visible);
}

void ThemeDownloadPage::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_list->clear();
    QWidget::showEvent(event);
}

} // namespace tovalin
