#include "app/ui/clocks_strip.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace tovalin {

ClocksStrip::ClocksStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("clocksStrip"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    m_switchStrip = new QWidget(this);
    m_switchStrip->setObjectName(QStringLiteral("Panel15"));
    m_switchStrip->setFixedHeight(35);
    m_switchStrip->hide();
    lay->addWidget(m_switchStrip);

    m_timeGauge = new QProgressBar(this);
    m_timeGauge->setObjectName(QStringLiteral("ProgressBar1"));
    m_timeGauge->setRange(0, 1000);
    m_timeGauge->setValue(0);
    m_timeGauge->hide();
    lay->addWidget(m_timeGauge);
}

} // namespace tovalin
