#include "activity/ui/activity_window.h"

#include "activity/ui/activity_look.h"
#include "activity/ui/report_page.h"
#include "activity/ui/requests_page.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

ActivityWindow::ActivityWindow(RequestsPage *requests, ReportPage *report, QWidget *parent)
    : QDialog(parent), m_requests(requests), m_report(report)
{
    setObjectName(QStringLiteral("ActivityWindow"));
    setWindowTitle(tr("Requests and report"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    look::paintWhite(this);
    resize(1000, 660);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 16, 0);
    outer->setSpacing(16);
    QVBoxLayout *leftLay = nullptr;
    QWidget *left = look::leftBand(this, 160, &leftLay);
    auto *picture = new QLabel(left);
    picture->setPixmap(activitylook::askPicture(40));
    leftLay->addWidget(picture);
    leftLay->addSpacing(4);
    auto *requestsLink = look::makeLink(tr("Requests"), QStringLiteral("LinkRequests"), left);
    auto *reportLink = look::makeLink(tr("Report"), QStringLiteral("LinkReport"), left);
    auto *closeLink = look::makeLink(tr("Close"), QStringLiteral("LinkClose"), left);
    leftLay->addWidget(requestsLink);
    leftLay->addWidget(reportLink);
    leftLay->addStretch(1);
    leftLay->addWidget(closeLink);
    outer->addWidget(left);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_requests);
    m_pages->addWidget(m_report);
    outer->addWidget(m_pages, 1);

    connect(requestsLink, &QPushButton::clicked, this, &ActivityWindow::showRequests);
    connect(reportLink, &QPushButton::clicked, this, &ActivityWindow::showReport);
    connect(closeLink, &QPushButton::clicked, this, &QDialog::close);
}

void ActivityWindow::present()
{
    if (QWidget *p = parentWidget())
        move(p->window()->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    activateWindow();
}

void ActivityWindow::showRequests()
{
    m_requests->refresh();
    m_pages->setCurrentWidget(m_requests);
    present();
}

void ActivityWindow::showReport()
{
    m_report->refresh();
    m_pages->setCurrentWidget(m_report);
    present();
}

} // namespace tovalin
