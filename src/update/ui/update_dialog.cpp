#include "update/ui/update_dialog.h"

#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovalin {

UpdateDialog::UpdateDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tupdater"));
    setWindowTitle(tr("Download new update?"));
    setModal(true);
    look::paintWhite(this);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 18, 14);
    outer->setSpacing(16);
    auto *band = new QLabel(this);
    band->setPixmap(look::padlock(56));
    band->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    band->setContentsMargins(14, 18, 14, 0);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, look::kBand);
    band->setPalette(pal);
    outer->addWidget(band);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 14, 0, 0);
    column->setSpacing(8);
    auto *heading = new QLabel(tr("New update"), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    column->addWidget(heading);
    auto *available = new QLabel(tr("A new update for the Tovalin is available"), this);
    available->setObjectName(QStringLiteral("Label1"));
    column->addWidget(available);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("versie"));
    QFont bold = m_version->font();
    bold.setBold(true);
    m_version->setFont(bold);
    column->addWidget(m_version);
    auto *explain = new QLabel(tr("Click on download and install button to install the Tovalin update. During the "
                                  "installation process the Tovalin will be closed automatically."),
                               this);
    explain->setObjectName(QStringLiteral("Label2"));
    explain->setWordWrap(true);
    explain->setMinimumWidth(320);
    column->addWidget(explain);

    auto *passwordRow = new QHBoxLayout;
    auto *passwordLabel = new QLabel(tr("Password"), this);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("ALEdit1"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    passwordLabel->setBuddy(m_password);
    passwordRow->addWidget(passwordLabel);
    passwordRow->addWidget(m_password, 1);
    column->addLayout(passwordRow);

    auto *buttons = new QHBoxLayout;
    auto *download = new QPushButton(tr("Download and install"), this);
    download->setObjectName(QStringLiteral("Button1"));
    download->setAutoDefault(false);
    auto *close = look::makeLink(tr("Close"), QStringLiteral("Label5"), this);
    buttons->addWidget(download);
    buttons->addStretch(1);
    buttons->addWidget(close);
    column->addLayout(buttons);
    outer->addLayout(column, 1);

    m_url = new QLabel(this);
    m_url->setObjectName(QStringLiteral("url"));
    m_url->hide();

    connect(download, &QPushButton::clicked, this, &UpdateDialog::downloadRequested);
    connect(m_password, &QLineEdit::returnPressed, this, &UpdateDialog::downloadRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void UpdateDialog::offer(const QString &version, const QString &address)
{
    m_version->setText(tr("version:") + u' ' + version);
    m_url->setText(address);
    m_password->clear();
    if (QWidget *owner = parentWidget()) {
        adjustSize();
        const QRect area = owner->geometry();
        move(area.center() - rect().center());
    }
    m_password->setFocus();
}

QString UpdateDialog::address() const
{
    return m_url->text();
}

QString UpdateDialog::password() const
{
    return m_password->text();
}

void UpdateDialog::clearPassword()
{
    m_password->clear();
    m_password->setFocus();
}

void UpdateDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void UpdateDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Borderless: a thin frame keeps the dialog apart from the page behind it.
    QPainter p(this);
    p.setPen(QPen(look::kHeading, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

DownloadProgressWindow::DownloadProgressWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("downloadprogress"));
    setWindowTitle(tr("Download progress"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(413, 112);
    look::paintWhite(this);
    auto *lay = new QVBoxLayout(this);
    auto *label = new QLabel(tr("Downloading"), this);
    label->setObjectName(QStringLiteral("Label1"));
    lay->addWidget(label);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setTextVisible(false);
    m_gauge->setFixedHeight(12);
    lay->addWidget(m_gauge);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cancel);
    lay->addLayout(row);
    connect(cancel, &QPushButton::clicked, this, &DownloadProgressWindow::cancelRequested);
    // Closing the window by its frame cancels too; the program closes it with accept().
    connect(this, &QDialog::rejected, this, &DownloadProgressWindow::cancelRequested);
}

void DownloadProgressWindow::start(qint64 maximum)
{
    // Thousandths, so an installer of any size fits the bar's range; unknown size: a busy bar.
    m_maximum = maximum;
    m_gauge->setRange(0, maximum > 0 ? 1000 : 0);
    m_gauge->setValue(0);
}

void DownloadProgressWindow::setProgress(qint64 value)
{
    if (m_maximum > 0)
        m_gauge->setValue(int(std::min<qint64>(1000, value * 1000 / m_maximum)));
}

} // namespace tovalin
