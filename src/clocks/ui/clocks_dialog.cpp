#include "clocks/ui/clocks_dialog.h"

#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

namespace {

// A clock face with its hands at ten past ten.
QPixmap clockFace(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(33, 93, 198), s * 0.07));
    p.setBrush(QColor(255, 250, 225));
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    p.setPen(QPen(QColor(60, 60, 60), s * 0.07, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(s / 2, s / 2);
    p.drawLine(c, c + QPointF(-s * 0.17, -s * 0.12));
    p.drawLine(c, c + QPointF(s * 0.2, -s * 0.22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(c, s * 0.05, s * 0.05);
    return pm;
}

} // namespace

ClocksDialog::ClocksDialog(TimeClock &timeClock, SwitchClock &switchClock, QWidget *parent)
    : QDialog(parent)
    , m_time(timeClock)
    , m_switch(switchClock)
    , m_message([](QWidget *p, const QString &text) { QMessageBox::information(p, QStringLiteral("Tovalin"), text); })
{
    setObjectName(QStringLiteral("Ttijdklokform"));
    setWindowTitle(tr("Clocks"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    look::paintWhite(this);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 16, 0);
    outer->setSpacing(16);

    // Left column: heading and the three links, on the blue band.
    QVBoxLayout *leftLay = nullptr;
    QWidget *left = look::leftBand(this, 150, &leftLay);
    auto *headRow = new QHBoxLayout;
    auto *face = new QLabel(left);
    face->setPixmap(clockFace(26));
    headRow->addWidget(face);
    auto *heading = new QLabel(tr("Clocks"), left);
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    headRow->addWidget(heading, 1);
    leftLay->addLayout(headRow);
    leftLay->addSpacing(4);
    auto *timeLink = look::makeLink(tr("Time clock"), QStringLiteral("Label32"), left);
    auto *switchLink = look::makeLink(tr("Switch clock"), QStringLiteral("Label3"), left);
    auto *closeLink = look::makeLink(tr("Close"), QStringLiteral("Label5"), left);
    leftLay->addWidget(timeLink);
    leftLay->addWidget(switchLink);
    leftLay->addStretch(1);
    leftLay->addWidget(closeLink);
    outer->addWidget(left);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    auto page = [this](const QString &name, const QString &title, const QString &entryName, const QString &startName,
                       const QString &stopName, QLineEdit **entry, QPushButton **start, QPushButton **stop) {
        auto *w = new QWidget;
        w->setObjectName(name);
        auto *lay = new QVBoxLayout(w);
        lay->setContentsMargins(0, 10, 0, 10);
        lay->setSpacing(6);
        auto *h = new QLabel(title, w);
        h->setFont(look::headingFont(h->font()));
        h->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
        lay->addWidget(h);
        lay->addWidget(new QLabel(tr("Enter the time span in minutes"), w));
        auto *row = new QHBoxLayout;
        *entry = new QLineEdit(w);
        (*entry)->setObjectName(entryName);
        (*entry)->setFixedWidth(80);
        row->addWidget(*entry);
        row->addSpacing(8);
        *start = new QPushButton(tr("Start clock"), w);
        (*start)->setObjectName(startName);
        *stop = new QPushButton(tr("Stop clock"), w);
        (*stop)->setObjectName(stopName);
        for (QPushButton *b : {*start, *stop}) {
            // Enter belongs to the entries.
            b->setAutoDefault(false);
            b->setDefault(false);
            row->addWidget(b);
        }
        row->addStretch(1);
        lay->addLayout(row);
        lay->addStretch(1);
        m_pages->addWidget(w);
    };
    page(QStringLiteral("tijdkloktab"), tr("Time clock"), QStringLiteral("ALEdit1"), QStringLiteral("XiButton1"),
         QStringLiteral("XiButton2"), &m_timeEntry, &m_timeStart, &m_timeStop);
    page(QStringLiteral("wisselkloktab"), tr("Switch clock"), QStringLiteral("ALEdit2"), QStringLiteral("XiButton3"),
         QStringLiteral("XiButton4"), &m_switchEntry, &m_switchStart, &m_switchStop);
    outer->addWidget(m_pages, 1);

    m_timeEntry->setText(m_time.entry());
    m_switchEntry->setText(m_switch.entry());
    connect(m_timeEntry, &QLineEdit::textChanged, &m_time, &TimeClock::setEntry);
    connect(m_switchEntry, &QLineEdit::textChanged, &m_switch, &SwitchClock::setEntry);
    // User activation writes the entry too.
    connect(&m_time, &TimeClock::buttonsChanged, this, [this] {
        if (m_timeEntry->text() != m_time.entry())
            m_timeEntry->setText(m_time.entry());
        applyTimeButtons();
    });
    connect(&m_switch, &SwitchClock::buttonsChanged, this, [this] {
        if (m_switchEntry->text() != m_switch.entry())
            m_switchEntry->setText(m_switch.entry());
        applySwitchButtons();
    });
    connect(m_timeEntry, &QLineEdit::returnPressed, this, &ClocksDialog::startTimeClock);
    connect(m_switchEntry, &QLineEdit::returnPressed, this, &ClocksDialog::startSwitchClock);
    connect(m_timeStart, &QPushButton::clicked, this, &ClocksDialog::startTimeClock);
    connect(m_timeStop, &QPushButton::clicked, this, &ClocksDialog::stopTimeClock);
    connect(m_switchStart, &QPushButton::clicked, this, &ClocksDialog::startSwitchClock);
    connect(m_switchStop, &QPushButton::clicked, this, &ClocksDialog::stopSwitchClock);
    connect(timeLink, &QPushButton::clicked, this, [this] { showTab(0); });
    connect(switchLink, &QPushButton::clicked, this, [this] { showTab(1); });
    connect(closeLink, &QPushButton::clicked, this, &QDialog::close);

    // At creation the time-clock entry and both its buttons are enabled; the button rule
    // corrects them whenever the tab is shown.
    m_timeEntry->setEnabled(true);
    m_timeStart->setEnabled(true);
    m_timeStop->setEnabled(true);
    setMinimumSize(541, 136);
    resize(541, 150);
}

void ClocksDialog::startTimeClock()
{
    const TimeClock::StartResult result = m_time.start();
    if (!result.message.isEmpty())
        m_message(this, result.message);
    // A refused number leaves the buttons as they are; the others apply the rule.
    if (result.outcome != TimeClock::StartOutcome::NotWholeNumber)
        applyTimeButtons();
}

void ClocksDialog::stopTimeClock()
{
    m_time.stop();
    applyTimeButtons();
}

void ClocksDialog::startSwitchClock()
{
    const SwitchClock::StartResult result = m_switch.start();
    if (!result.started) {
        if (!result.message.isEmpty())
            m_message(this, result.message);
        m_switchEntry->setFocus();
        return;
    }
    applySwitchButtons();
}

void ClocksDialog::stopSwitchClock()
{
    m_switch.stop();
    applySwitchButtons();
}

void ClocksDialog::applyTimeButtons()
{
    m_timeStop->setEnabled(m_time.stopEnabled());
    m_timeStart->setEnabled(m_time.startEnabled());
}

void ClocksDialog::applySwitchButtons()
{
    m_switchStop->setEnabled(m_switch.stopEnabled());
    m_switchStart->setEnabled(m_switch.startEnabled());
}

void ClocksDialog::showTab(int index)
{
    m_pages->setCurrentIndex(index);
    if (index == 0) {
        applyTimeButtons();
        m_timeEntry->setEnabled(true);
        m_timeEntry->setFocus();
    } else {
        applySwitchButtons();
        m_switchEntry->setFocus();
    }
}

void ClocksDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    showTab(0);
    if (QWidget *owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - rect().center());
    }
}

} // namespace tovalin
