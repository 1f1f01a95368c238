#include "themes/theme_download.h"

#include "platform/transfer.h"
#include "state/program_state.h"
#include "themes/theme_files.h"
#include "themes/theme_import.h"
#include "themes/theme_names.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>
#include <QUrl>
#include <thread>

namespace tovalin {

namespace {

// An archive can hold at most 64 MB of files; deflate never makes that much larger.
constexpr qint64 kMaxDownloadBytes = kMaxArchiveTotalBytes + 8 * 1024 * 1024;

} // namespace

QString ThemeDownload::failedServerText()
{
    return tr("Import from the internet failed! The server is currently not available");
}

QString ThemeDownload::failedImportText()
{
    return tr("       Import from the internet failed!       ");
}

QString ThemeDownload::readyText()
{
    return tr("     Import from the internet is ready!     ");
}

ThemeDownload::ThemeDownload(ProgramState &state, ThemeDownloadUi &ui, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_ui(ui)
{
}

ThemeDownload::~ThemeDownload()
{
    if (m_cancel)
        m_cancel->store(true);
    m_transfer.reset(); // cancels and waits for its worker
    if (m_worker.joinable())
        m_worker.join();
}

void ThemeDownload::DownloadTheme(const QString &address)
{
    if (m_running) {
        qCDebug(lcThemes) << "download: one already runs; ignored" << address;
        return;
    }
    m_running = true;
    // The navigation decision is still on the stack: the questions come once it has returned.
    QMetaObject::invokeMethod(this, [this, address] { run(address); }, Qt::QueuedConnection);
}

void ThemeDownload::run(const QString &address)
{
    m_archiveTheme = themeNameFromDownloadAddress(address);
    if (m_archiveTheme.isEmpty()) {
        // A name that would leave the themes folder, or none at all: nothing to ask about.
        qCDebug(lcThemes) << "download: no usable theme name in" << address;
        m_ui.showMessage(failedImportText());
        return end(false);
    }
    if (!m_ui.askYesNo(tr("Do you want to download theme %1?").arg(m_archiveTheme)))
        return end(false);

    const QString themes = m_state.themesFolder();
    m_targetTheme = m_archiveTheme;
    if (ThemeExists(themes, m_archiveTheme)) {
        const QString existing = existingThemeSpelling(themes, m_archiveTheme);
        if (m_ui.askYesNo(tr("Theme %1 already exists. Overwrite?").arg(m_archiveTheme))) {
            m_targetTheme = existing;
        } else {
            const QString newName = m_ui.askNewName();
            if (newName.isEmpty())
                return end(false);
            if (!isValidThemeName(newName)) {
                m_ui.showMessage(tr("You did not enter a valid name. Try again!."));
                return end(false);
            }
            m_targetTheme = newName;
        }
    }

    QDir().mkpath(m_state.downloadsFolder());
    m_archivePath = m_state.downloadsFolder() + u'/' + m_archiveTheme + kThemeArchiveExt;
    m_cancel = std::make_shared<std::atomic<bool>>(false);

    TransferRequest request;
    // The decision hands over the address as the browser shows it (a blank for "%20"): curl
    // wants it encoded.
    request.address = QString::fromLatin1(QUrl(address).toEncoded());
    request.targetFile = m_archivePath;
    request.maxBytes = kMaxDownloadBytes;
    // A transfer the parent started may follow the server's redirects (to http and https).
    request.maxRedirects = TransferRequest::kMostRedirects;
    m_transfer = std::make_unique<Transfer>(request);
    connect(m_transfer.get(), &Transfer::progressed, this,
            [this](qint64 received, qint64 total) { m_ui.setProgress(received, total); });
    connect(m_transfer.get(), &Transfer::finished, this, [this](const TransferResult &result) {
        qCDebug(lcThemes) << "download: fetch ended" << transferFailureName(result.failure) << result.error;
        fetched(result.ok(), result.failure == TransferFailure::Cancelled);
    });
    m_ui.showProgress(tr("Download progress"), tr("Downloading"));
    m_transfer->start();
}

void ThemeDownload::cancel()
{
    if (!m_running)
        return;
    if (m_cancel)
        m_cancel->store(true);
    if (m_transfer)
        m_transfer->cancel();
}

void ThemeDownload::fetched(bool ok, bool cancelled)
{
    // The transfer object goes once its signal has returned.
    if (m_transfer)
        m_transfer.release()->deleteLater();
    if (cancelled || (m_cancel && m_cancel->load())) {
        m_ui.closeProgress();
        return end(false);
    }
    m_ui.setProgressStatus(tr("Preparing files"));
    if (!ok) {
        // Under a new name too: an older archive of that name in the downloads folder must not
        // be taken for this one.
        m_ui.closeProgress();
        m_ui.showMessage(failedServerText());
        return end(false);
    }

    const QString archive = m_archivePath;
    const QString archiveTheme = m_archiveTheme;
    const QString target = m_targetTheme;
    const QString themes = m_state.themesFolder();
    const auto cancelFlag = m_cancel;
    if (m_worker.joinable())
        m_worker.join();
    // The import may unpack up to 64 MB: off the window's thread. Its report is queued to this
    // object, which waits for the worker before it goes.
    m_worker = std::thread([=, this] {
        const ThemeImportResult result = importThemeArchive(archive, archiveTheme, target, themes, cancelFlag.get());
        const bool importOk = result.result.ok();
        const bool importCancelled = result.result.failure == ArchiveFailure::Cancelled;
        QMetaObject::invokeMethod(
            this, [this, importOk, importCancelled] { imported(importOk, importCancelled); }, Qt::QueuedConnection);
    });
}

void ThemeDownload::imported(bool ok, bool cancelled)
{
    m_ui.closeProgress();
    if (cancelled || (m_cancel && m_cancel->load()))
        return end(false);
    if (!ok) {
        m_ui.showMessage(failedImportText());
        m_ui.themesChanged();
        return end(false);
    }
    m_ui.showMessage(readyText());
    m_ui.themeDownloaded(m_targetTheme);
    if (m_ui.activateImported())
        m_ui.activateTheme(m_targetTheme);
    m_ui.themesChanged();
    end(true);
}

void ThemeDownload::end(bool imported)
{
    m_running = false;
    m_cancel.reset();
    emit finished(imported);
}

} // namespace tovalin
