#include "activity/ui/requests_page.h"

#include "activity/ui/allow_choices.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovalin {

QString shownTime(const QDateTime &time)
{
    return QLocale().toString(time, QLocale::ShortFormat);
}

QString shownReason(const QString &reason)
{
    if (reason == u"whitelist")
        return RequestsPage::tr("not on the whitelist");
    if (reason == u"blacklist")
        return RequestsPage::tr("on the blacklist");
    if (reason == u"category")
        return RequestsPage::tr("in a blocked category");
    if (reason == u"timeup")
        return RequestsPage::tr("time was up");
    if (reason == u"document")
        return RequestsPage::tr("blocked document");
    if (reason == u"video" || reason == u"realmedia")
        return RequestsPage::tr("blocked video");
    if (reason == u"scheme")
        return RequestsPage::tr("not a web page");
    return reason;
}

namespace {

QTreeWidget *makeTable(const char *name, const QStringList &headers, QWidget *parent)
{
    auto *t = new QTreeWidget(parent);
    t->setObjectName(QLatin1String(name));
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    t->setHeaderLabels(headers);
    t->header()->setStretchLastSection(false);
    t->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

} // namespace

RequestsPage::RequestsPage(RequestStore &store, Actions actions, QWidget *parent)
    : QWidget(parent), m_store(store), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("requestsPage"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 10, 0, 10);
    auto *heading = new QLabel(tr("Requests"), this);
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    lay->addWidget(heading);
    lay->addWidget(new QLabel(tr("What the children asked for, the newest first:"), this));
    m_open = makeTable("openRequests", {tr("Asked"), tr("User"), tr("Theme"), tr("Refused because"), tr("Address")}, this);
    m_open->header()->setSectionResizeMode(4, QHeaderView::Stretch);
    lay->addWidget(m_open, 2);

    m_choices = new AllowChoices(this);
    lay->addWidget(m_choices);
    auto *row = new QHBoxLayout;
    m_allow = new QPushButton(QIcon(look::roundSign(20, true)), tr("Allow"), this);
    m_allow->setObjectName(QStringLiteral("AllowSelected"));
    m_refuse = new QPushButton(QIcon(look::roundSign(20, false)), tr("Refuse"), this);
    m_refuse->setObjectName(QStringLiteral("RefuseSelected"));
    row->addWidget(m_allow);
    row->addWidget(m_refuse);
    row->addStretch(1);
    lay->addLayout(row);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("requestsStatus"));
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20);"));
    lay->addWidget(m_status);

    lay->addWidget(new QLabel(tr("Answered in the last days:"), this));
    m_answered = makeTable("answeredRequests", {tr("Answered"), tr("User"), tr("Answer"), tr("Address"), tr("Allowed as")},
                           this);
    m_answered->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_answered->header()->setSectionResizeMode(4, QHeaderView::Interactive);
    m_answered->header()->resizeSection(4, 260);
    lay->addWidget(m_answered, 1);

    connect(m_allow, &QPushButton::clicked, this, [this] { answerSelected(true); });
    connect(m_refuse, &QPushButton::clicked, this, [this] { answerSelected(false); });
    connect(m_open, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool selected = selectedId() > 0;
        m_allow->setEnabled(selected);
        m_refuse->setEnabled(selected);
    });
    refresh();
}

void RequestsPage::refresh()
{
    m_store.reload();
    m_status->setText(m_store.problem());
    m_open->clear();
    const QList<Request> open = m_store.openRequests();
    for (const Request &r : open) {
        auto *item = new QTreeWidgetItem(
            m_open, {shownTime(r.asked), r.user, r.theme, shownReason(r.reason), r.address});
        item->setData(0, Qt::UserRole, r.id);
        item->setToolTip(4, r.address);
    }
    if (!open.isEmpty())
        m_open->setCurrentItem(m_open->topLevelItem(0));
    m_allow->setEnabled(!open.isEmpty());
    m_refuse->setEnabled(!open.isEmpty());

    m_answered->clear();
    const QList<Request> answered = m_store.answeredRequests();
    for (const Request &r : answered) {
        QString answer = r.status == RequestStatus::Refused ? tr("Refused") : tr("Allowed");
        if (r.status == RequestStatus::Allowed && r.scope.span == AllowScope::Span::TodayOnly)
            answer = tr("Allowed today only");
        QString allowedAs;
        if (r.status == RequestStatus::Allowed)
            allowedAs = r.scope.themes == AllowScope::Themes::AllThemes ? tr("%1 in all themes").arg(r.entry)
                                                                        : tr("%1 in %2").arg(r.entry, r.theme);
        auto *item = new QTreeWidgetItem(m_answered, {shownTime(r.answered), r.user, answer, r.address, allowedAs});
        item->setToolTip(3, r.address);
        item->setToolTip(4, allowedAs);
    }
}

int RequestsPage::selectedId() const
{
    const QTreeWidgetItem *item = m_open->currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : 0;
}

void RequestsPage::answerSelected(bool allow)
{
    const int id = selectedId();
    if (id <= 0)
        return;
    QStringList problems;
    if (allow && m_actions.allow)
        problems = m_actions.allow(id, m_choices->scope());
    else if (!allow && m_actions.refuse)
        problems.append(m_actions.refuse(id));
    problems.removeAll(QString());
    refresh();
    if (!problems.isEmpty())
        m_status->setText(problems.join(u'\n'));
    else
        m_choices->reset();
}

} // namespace tovalin
