#pragma once
// The parents' window of the child's activity: the Requests page and the
// Report page, chosen in its left column, as the clocks dialog chooses its
// clocks.

#include <QDialog>

class QStackedWidget;

namespace tovalin {

class ReportPage;
class RequestsPage;

class ActivityWindow : public QDialog {
    Q_OBJECT
public:
    ActivityWindow(RequestsPage *requests, ReportPage *report, QWidget *parent = nullptr);

    /// Opens the window on the Requests page, read again.
    void showRequests();
    /// Opens the window on the Report page, read again.
    void showReport();

    RequestsPage *requestsPage() const { return m_requests; }
    ReportPage *reportPage() const { return m_report; }

private:
    void present();

    RequestsPage *m_requests;
    ReportPage *m_report;
    QStackedWidget *m_pages = nullptr;
};

} // namespace tovalin
