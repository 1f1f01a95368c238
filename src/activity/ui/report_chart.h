#pragma once
// The report's bar chart: minutes surfed per day over the last days, the day
// chosen drawn darker; a click on a day's bar chooses that day.

#include <QDate>
#include <QList>
#include <QWidget>

namespace tovalin {

class ReportChart : public QWidget {
    Q_OBJECT
public:
    struct Day {
        QDate day;
        int minutes = 0;
    };

    explicit ReportChart(QWidget *parent = nullptr);

    void setDays(const QList<Day> &days);
    const QList<Day> &days() const { return m_days; }
    void setChosen(QDate day);
    QDate chosen() const { return m_chosen; }
    /// The rectangle of a day's column (its bar, its number and its name), for clicks and tests.
    QRect columnRect(int index) const;

    QSize sizeHint() const override;

signals:
    void dayChosen(QDate day);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<Day> m_days;
    QDate m_chosen;
};

} // namespace tovalin
