#include "activity/ui/report_page.h"

#include "activity/ui/report_chart.h"
#include "activity/ui/requests_page.h"
#include "parents/ui/parents_look.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

namespace tovalin {

namespace {

enum Column { What, Count, First, Last, Detail, Commands, ColumnCount };

QString clock(const QDateTime &t)
{
    return QLocale().toString(t.time(), QLocale::ShortFormat);
}

} // namespace

QString ReportPage::staysHereText()
{
    return tr("This report stays on this computer: nothing of it is sent anywhere.");
}

ReportPage::ReportPage(Actions actions, QWidget *parent) : QWidget(parent), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("reportPage"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 10, 0, 10);
    auto *heading = new QLabel(tr("Report"), this);
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    lay->addWidget(heading);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("User:"), this));
    m_user = new QComboBox(this);
    m_user->setObjectName(QStringLiteral("reportUser"));
    top->addWidget(m_user);
    top->addStretch(1);
    top->addWidget(new QLabel(tr("Keep the report for:"), this));
    m_keep = new QComboBox(this);
    m_keep->setObjectName(QStringLiteral("keepDays"));
    // One text per choice: the choices are few, and each reads right in every language.
    const QString keepTexts[] = {tr("1 day"), tr("7 days"), tr("30 days")};
    static_assert(std::size(ActivityLog::kKeepChoices) == 3);
    for (int i = 0; i < 3; ++i)
        m_keep->addItem(keepTexts[i], ActivityLog::kKeepChoices[i]);
    top->addWidget(m_keep);
    lay->addLayout(top);

    m_chart = new ReportChart(this);
    lay->addWidget(m_chart);
    m_dayLabel = new QLabel(this);
    m_dayLabel->setObjectName(QStringLiteral("reportDay"));
    QFont bold = m_dayLabel->font();
    bold.setBold(true);
    m_dayLabel->setFont(bold);
    lay->addWidget(m_dayLabel);

    m_lists = new QTreeWidget(this);
    m_lists->setObjectName(QStringLiteral("reportLists"));
    m_lists->setColumnCount(ColumnCount);
    m_lists->setHeaderLabels({tr("Address"), tr("Times"), tr("First"), tr("Last"), tr("Theme"), QString()});
    m_lists->header()->setStretchLastSection(false);
    m_lists->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_lists->header()->setSectionResizeMode(What, QHeaderView::Stretch);
    // The theme and the reason may be long (in Dutch above all): the address keeps the room.
    m_lists->header()->setSectionResizeMode(Detail, QHeaderView::Interactive);
    m_lists->header()->resizeSection(Detail, 230);
    m_lists->setUniformRowHeights(true);
    lay->addWidget(m_lists, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("reportStatus"));
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20);"));
    lay->addWidget(m_status);
    auto *note = new QLabel(staysHereText(), this);
    note->setObjectName(QStringLiteral("reportNote"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: rgb(90, 100, 120);"));
    lay->addWidget(note);

    connect(m_chart, &ReportChart::dayChosen, this, [this](QDate day) {
        m_day = day;
        showDay();
    });
    connect(m_user, &QComboBox::activated, this, [this] { chooseDay(m_day); });
    connect(m_keep, &QComboBox::activated, this, [this] {
        const QString problem = m_actions.setKeepDays ? m_actions.setKeepDays(m_keep->currentData().toInt()) : QString();
        tell({problem.isEmpty(), problem});
    });
}

void ReportPage::fillUsers()
{
    const QString chosen = m_user->count() > 0 ? m_user->currentText()
                                               : (m_actions.activeUser ? m_actions.activeUser() : QString());
    m_user->clear();
    const QStringList users = m_actions.users ? m_actions.users() : QStringList();
    m_user->addItems(users);
    const int at = m_user->findText(chosen);
    m_user->setCurrentIndex(at >= 0 ? at : 0);
}

void ReportPage::refresh()
{
    fillUsers();
    const int keep = m_actions.keepDays ? m_actions.keepDays() : ActivityLog::kDefaultKeepDays;
    m_keep->setCurrentIndex(std::max(0, m_keep->findData(keep)));
    m_status->clear();
    chooseDay(m_actions.today ? m_actions.today() : QDate::currentDate());
}

void ReportPage::chooseDay(QDate day)
{
    const QDate today = m_actions.today ? m_actions.today() : QDate::currentDate();
    m_day = day.isValid() ? day : today;
    QList<ReportChart::Day> days;
    for (int i = kChartDays - 1; i >= 0; --i) {
        const QDate d = today.addDays(-i);
        const int minutes = m_actions.readDay ? m_actions.readDay(m_user->currentText(), d).minutes() : 0;
        days.append({d, minutes});
    }
    m_chart->setDays(days);
    m_chart->setChosen(m_day);
    showDay();
}

QTreeWidgetItem *ReportPage::section(const QString &title, int count)
{
    auto *item = new QTreeWidgetItem(m_lists, {QStringLiteral("%1 (%2)").arg(title).arg(count)});
    QFont f = item->font(What);
    f.setBold(true);
    item->setFont(What, f);
    item->setFirstColumnSpanned(true);
    item->setExpanded(true);
    return item;
}

void ReportPage::addAddressRow(QTreeWidgetItem *parent, const QStringList &columns, const QString &theme,
                               const QString &address)
{
    auto *item = new QTreeWidgetItem(parent, columns);
    item->setToolTip(What, address);
    item->setToolTip(Detail, columns.value(Detail));
    auto *commands = new QWidget(m_lists);
    auto *row = new QHBoxLayout(commands);
    row->setContentsMargins(0, 0, 4, 0);
    row->setSpacing(10);
    auto *block = look::makeLink(tr("Block"), QStringLiteral("reportBlock"), commands);
    auto *allow = look::makeLink(tr("Allow"), QStringLiteral("reportAllow"), commands);
    row->addWidget(block);
    row->addWidget(allow);
    const auto run = [this, theme, address](const std::function<Outcome(const QString &, const QString &)> &command) {
        if (command)
            tell(command(theme, address));
    };
    connect(block, &QPushButton::clicked, this, [this, run] { run(m_actions.block); });
    connect(allow, &QPushButton::clicked, this, [this, run] { run(m_actions.allow); });
    m_lists->setItemWidget(item, Commands, commands);
}

void ReportPage::tell(const Outcome &outcome)
{
    m_status->setStyleSheet(outcome.done ? QStringLiteral("color: rgb(20, 120, 40);")
                                         : QStringLiteral("color: rgb(190, 20, 20);"));
    m_status->setText(outcome.text);
}

void ReportPage::showDay()
{
    m_lists->clear();
    const QString user = m_user->currentText();
    const DayReport report = m_actions.readDay ? m_actions.readDay(user, m_day) : DayReport{};
    const QLocale locale;
    m_dayLabel->setText(tr("%1 — minutes surfed: %2").arg(locale.toString(m_day, QLocale::LongFormat)).arg(report.minutes()));
    if (!report.problem.isEmpty())
        tell({false, report.problem});

    QTreeWidgetItem *themes = section(tr("Minutes per theme"), int(report.themes.size()));
    for (const ThemeTime &t : report.themes)
        new QTreeWidgetItem(themes, {tr("%1: %2 min.").arg(t.theme).arg((t.seconds + 30) / 60)});

    QTreeWidgetItem *pages = section(tr("Pages visited"), int(report.pages.size()));
    for (const AddressTally &t : report.pages)
        addAddressRow(pages, {t.address, QString::number(t.count), clock(t.first), clock(t.last), t.theme}, t.theme,
                      t.address);

    QTreeWidgetItem *refusals = section(tr("Refused"), int(report.refusals.size()));
    for (const AddressTally &t : report.refusals)
        addAddressRow(refusals,
                      {t.address, QString::number(t.count), clock(t.first), clock(t.last),
                       t.theme + QStringLiteral(" — ") + shownReason(t.reason)},
                      t.theme, t.address);

    QTreeWidgetItem *requests = section(tr("Requests"), int(report.requests.size()));
    for (const Request &r : report.requests) {
        QString answer = tr("open");
        if (r.status == RequestStatus::Allowed)
            answer = r.scope.span == AllowScope::Span::TodayOnly ? tr("allowed today only") : tr("allowed");
        else if (r.status == RequestStatus::Refused)
            answer = tr("refused");
        addAddressRow(requests, {r.address, QString(), clock(r.asked), QString(), r.theme + QStringLiteral(" — ") + answer},
                      r.theme, r.address);
    }

    QTreeWidgetItem *videos = section(tr("Videos"), int(report.videos.size()));
    for (const AddressTally &t : report.videos)
        addAddressRow(videos, {t.address, QString::number(t.count), clock(t.first), clock(t.last), t.theme}, t.theme,
                      t.address);
}

} // namespace tovalin
