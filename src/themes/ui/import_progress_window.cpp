#include "themes/ui/import_progress_window.h"

#include "parents/ui/parents_look.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace tovalin {

ImportProgressWindow::ImportProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("downloadinternetprogress"));
    setWindowTitle(tr("Import progress"));
    setFixedSize(413, 112);
    look::paintWhite(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 12);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setTextVisible(false);
    m_gauge->setFixedHeight(10);
    column->addWidget(m_gauge);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label1"));
    column->addWidget(m_status);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button1"));
    row->addWidget(m_cancel);
    column->addLayout(row);
    connect(m_cancel, &QPushButton::clicked, this, [this] { close(); });
}

void ImportProgressWindow::start(const QString &caption, const QString &status)
{
    setWindowTitle(caption);
    m_status->setText(status);
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    if (QWidget *owner = parentWidget()) {
        const QRect area = owner->window()->geometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void ImportProgressWindow::setStatus(const QString &status)
{
    m_status->setText(status);
}

void ImportProgressWindow::setProgress(qint64 received, qint64 total)
{
    if (total <= 0) {
        m_gauge->setRange(0, 0); // busy: the size is not known
        return;
    }
    // The bar counts in kilobytes, so archives above 2 GB could not overflow it.
    m_gauge->setRange(0, int(std::min<qint64>(total / 1024 + 1, INT_MAX)));
    m_gauge->setValue(int(std::min<qint64>(received / 1024, m_gauge->maximum())));
}

void ImportProgressWindow::finish()
{
    m_closingByCode = true;
    close();
    m_closingByCode = false;
}

void ImportProgressWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_closingByCode)
        emit cancelRequested();
}

} // namespace tovalin
