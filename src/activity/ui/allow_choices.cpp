#include "activity/ui/allow_choices.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tovalin {

AllowChoices::AllowChoices(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("allowChoices"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(18);
    auto pair = [this, grid](int row, const QString &a, const char *aName, const QString &b, const char *bName,
                             QRadioButton **first, QRadioButton **second) {
        *first = new QRadioButton(a, this);
        (*first)->setObjectName(QLatin1String(aName));
        *second = new QRadioButton(b, this);
        (*second)->setObjectName(QLatin1String(bName));
        auto *group = new QButtonGroup(this);
        group->addButton(*first);
        group->addButton(*second);
        grid->addWidget(*first, row, 0);
        grid->addWidget(*second, row, 1);
    };
    pair(0, tr("This page"), "allowPage", tr("This whole site"), "allowSite", &m_page, &m_site);
    pair(1, tr("In this theme"), "allowThisTheme", tr("In all of the user's themes"), "allowAllThemes", &m_thisTheme,
         &m_allThemes);
    pair(2, tr("Always"), "allowAlways", tr("Today only"), "allowToday", &m_always, &m_today);
    grid->setColumnStretch(2, 1);
    reset();
}

AllowScope AllowChoices::scope() const
{
    AllowScope scope;
    scope.extent = m_site->isChecked() ? AllowScope::Extent::Site : AllowScope::Extent::Page;
    scope.themes = m_allThemes->isChecked() ? AllowScope::Themes::AllThemes : AllowScope::Themes::ThisTheme;
    scope.span = m_today->isChecked() ? AllowScope::Span::TodayOnly : AllowScope::Span::Always;
    return scope;
}

void AllowChoices::reset()
{
    m_page->setChecked(true);
    m_thisTheme->setChecked(true);
    m_always->setChecked(true);
}

} // namespace tovalin
