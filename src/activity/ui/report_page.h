#pragma once
// The parents' "Report" page: the last 7 days of a user as a bar chart of
// minutes per day, and for the day chosen the minutes per theme, the pages
// visited, the refusals, the requests and the videos, with "Block" and
// "Allow" beside each address. Nothing of it leaves the machine.

#include "activity/activity_report.h"

#include <QDate>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tovalin {

class ReportChart;

class ReportPage : public QWidget {
    Q_OBJECT
public:
    /// Days the chart shows, today the last.
    static constexpr int kChartDays = 7;

    /// What a list command did, as the page tells it.
    struct Outcome {
        bool done = false;
        QString text;
    };

    struct Actions {
        std::function<QStringList()> users;
        std::function<QString()> activeUser;
        std::function<QDate()> today;
        std::function<DayReport(const QString &user, QDate day)> readDay;
        /// The list commands on an address in a theme's lists.
        std::function<Outcome(const QString &theme, const QString &address)> allow;
        std::function<Outcome(const QString &theme, const QString &address)> block;
        std::function<int()> keepDays;
        /// Sets the days kept; the problem to show, empty when done.
        std::function<QString(int days)> setKeepDays;
    };

    explicit ReportPage(Actions actions, QWidget *parent = nullptr);

    /// Reads the report again: the active user (or the one chosen), today chosen.
    void refresh();
    /// Shows this day of the user chosen.
    void chooseDay(QDate day);
    QDate chosenDay() const { return m_day; }
    ReportChart *chart() const { return m_chart; }

    static QString staysHereText();

private:
    void fillUsers();
    void showDay();
    QTreeWidgetItem *section(const QString &title, int count);
    void tell(const Outcome &outcome);
    void addAddressRow(QTreeWidgetItem *parent, const QStringList &columns, const QString &theme, const QString &address);

    Actions m_actions;
    QDate m_day;
    QComboBox *m_user = nullptr;
    QComboBox *m_keep = nullptr;
    ReportChart *m_chart = nullptr;
    QLabel *m_dayLabel = nullptr;
    QLabel *m_status = nullptr;
    QTreeWidget *m_lists = nullptr;
};

} // namespace tovalin
