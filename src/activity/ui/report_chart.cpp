#include "activity/ui/report_chart.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tovalin {

namespace {

constexpr int kMargin = 8;
constexpr int kLabelHeight = 34; // two lines: the weekday and the date
constexpr int kNumberHeight = 18;

const QColor kBar(120, 190, 240);
const QColor kBarChosen(33, 93, 198);
const QColor kAxis(160, 170, 185);

} // namespace

ReportChart::ReportChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("reportChart"));
    setMinimumHeight(150);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

QSize ReportChart::sizeHint() const
{
    return {560, 190};
}

void ReportChart::setDays(const QList<Day> &days)
{
    m_days = days;
    update();
}

void ReportChart::setChosen(QDate day)
{
    m_chosen = day;
    update();
}

QRect ReportChart::columnRect(int index) const
{
    if (m_days.isEmpty() || index < 0 || index >= m_days.size())
        return {};
    const int n = int(m_days.size());
    const int width = (this->width() - 2 * kMargin) / n;
    return QRect(kMargin + index * width, kMargin, width, height() - 2 * kMargin);
}

void ReportChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_days.isEmpty())
        return;
    int most = 0;
    for (const Day &d : std::as_const(m_days))
        most = std::max(most, d.minutes);
    const int baseline = height() - kMargin - kLabelHeight;
    const int room = baseline - kMargin - kNumberHeight;
    p.setPen(QPen(kAxis, 1));
    p.drawLine(kMargin, baseline, width() - kMargin, baseline);
    const QLocale locale;
    for (int i = 0; i < m_days.size(); ++i) {
        const Day &d = m_days.at(i);
        const QRect column = columnRect(i);
        const int barWidth = std::max(6, column.width() * 3 / 5);
        const int barHeight = most > 0 ? std::max(d.minutes > 0 ? 2 : 0, room * d.minutes / most) : 0;
        const QRect bar(column.center().x() - barWidth / 2, baseline - barHeight, barWidth, barHeight);
        const bool chosen = d.day == m_chosen;
        p.setPen(Qt::NoPen);
        p.setBrush(chosen ? kBarChosen : kBar);
        p.drawRoundedRect(bar, 3, 3);
        p.setPen(chosen ? kBarChosen : palette().color(QPalette::WindowText));
        QFont f = font();
        f.setBold(chosen);
        p.setFont(f);
        p.drawText(QRect(column.left(), bar.top() - kNumberHeight, column.width(), kNumberHeight),
                   Qt::AlignHCenter | Qt::AlignBottom, QString::number(d.minutes));
        const QString name = locale.dayName(d.day.dayOfWeek(), QLocale::ShortFormat) + u'\n'
                             + locale.toString(d.day, QStringLiteral("d MMM"));
        p.drawText(QRect(column.left(), baseline + 2, column.width(), kLabelHeight), Qt::AlignHCenter | Qt::AlignTop,
                   name);
    }
}

void ReportChart::mousePressEvent(QMouseEvent *event)
{
    for (int i = 0; i < m_days.size(); ++i) {
        if (columnRect(i).contains(event->position().toPoint())) {
            setChosen(m_days.at(i).day);
            emit dayChosen(m_chosen);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace tovalin
