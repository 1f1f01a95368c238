#include "update/ui/update_offer.h"

#include "parents/password_store.h"
#include "update/ui/update_dialog.h"

#include <QMessageBox>
#include <QWidget>

namespace tovalin {

namespace {

void message(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
}

} // namespace

UpdateOffer::UpdateOffer(Settings settings, Hooks hooks, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_hooks(std::move(hooks))
    , m_window(window)
{
    m_checker = std::make_unique<UpdateChecker>(m_settings.check);
    connect(m_checker.get(), &UpdateChecker::OnGetURLNew, this, &UpdateOffer::offer);
    m_dialog = new UpdateDialog(window);
    m_progress = new DownloadProgressWindow(m_dialog);
    connect(m_dialog, &UpdateDialog::downloadRequested, this, &UpdateOffer::downloadRequested);
    connect(m_progress, &DownloadProgressWindow::cancelRequested, this, [this] {
        if (m_download)
            m_download->cancel();
    });
}

UpdateOffer::~UpdateOffer() = default;

void UpdateOffer::check()
{
    m_checker->check();
}

void UpdateOffer::offer(const QString &version, const QString &address)
{
    m_dialog->offer(version, address);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void UpdateOffer::downloadRequested()
{
    if (m_download && m_download->busy())
        return;
    const PasswordStore::Check check = PasswordStore(m_settings.passwordFile).verify(m_dialog->password());
    if (!check.matched()) {
        const QString text = check.status == PasswordStore::Status::Mismatch || check.status == PasswordStore::Status::Missing
                                 ? tr("Downloading of updates is password protected") + u'\n'
                                       + tr("       Wrong password!       ")
                                 : check.error;
        message(m_dialog, text);
        m_dialog->clearPassword();
        return;
    }
    m_dialog->clearPassword();

    m_download = std::make_unique<UpdateDownload>(m_settings.downloadsFolder, m_settings.check.UpdateKey);
    connect(m_download.get(), &UpdateDownload::progressStarted, m_progress, &DownloadProgressWindow::start);
    connect(m_download.get(), &UpdateDownload::progressed, m_progress, &DownloadProgressWindow::setProgress);
    connect(m_download.get(), &UpdateDownload::succeeded, this, &UpdateOffer::downloaded);
    connect(m_download.get(), &UpdateDownload::failed, this, &UpdateOffer::downloadFailed);
    m_progress->start(0);
    m_progress->show();
    m_download->start(m_dialog->address());
}

void UpdateOffer::closeProgress()
{
    if (m_progress->isVisible())
        m_progress->accept();
    if (m_download)
        m_download.release()->deleteLater();
}

void UpdateOffer::downloaded(const QString &path)
{
    closeProgress();
    const bool started = m_hooks.launch && m_hooks.launch(path);
    if (!started)
        message(m_dialog, tr("Unable to run ") + path);
    m_dialog->accept();
    emit downloadEnded(started);
    // The installer replaces the program: it closes, as the parents' exit command closes it.
    if (m_hooks.quit)
        m_hooks.quit();
}

void UpdateOffer::downloadFailed(UpdateDownload::Failure why)
{
    closeProgress();
    emit downloadEnded(false);
    if (why == UpdateDownload::Failure::Cancelled)
        return; // the parent cancelled: the offer stays open
    m_dialog->reject();
    message(m_window, tr("The download failed. Please try again later"));
}

} // namespace tovalin
