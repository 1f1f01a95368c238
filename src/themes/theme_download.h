#pragma once
// `DownloadTheme`: a theme archive address met while the parents' theme tab is open. The parent
// confirms, the archive is fetched into the downloads folder (as N.tvz, replaced only when it
// arrived whole) with a progress window whose "Cancel" ends it at once, and the theme is imported
// under its own name N or a new one, all or nothing (theme_import). One download at a time.
//
// The transfer and the import run on worker threads; the questions and windows are the UI's.

#include "media/media_fetch.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

namespace tovalin {

class ProgramState;
class Transfer;

/// What a download asks of the windows.
class ThemeDownloadUi {
public:
    virtual ~ThemeDownloadUi() = default;
    /// A question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &question) = 0;
    /// The new-name dialog `TNieuwenaam`; empty when the parent cancelled.
    virtual QString askNewName() = 0;
    /// Shows the progress window (not modal) with a caption and a status line.
    virtual void showProgress(const QString &caption, const QString &status) = 0;
    virtual void setProgressStatus(const QString &status) = 0;
    /// Bytes so far and the expected total (-1 or 0: unknown).
    virtual void setProgress(qint64 received, qint64 total) = 0;
    virtual void closeProgress() = 0;
    /// An information message.
    virtual void showMessage(const QString &text) = 0;
    /// The theme arrived: the start page `Starttab` shows, lists it, and hides `Panel44`.
    virtual void themeDownloaded(const QString &name) = 0;
    /// The tick "Activate the imported theme".
    virtual bool activateImported() const = 0;
    /// Shows `Panel44` and makes the theme active (ActiveTheme, LoadTheme, LoadSiteLists,
    /// FillThemeChooser, SelectLink 1).
    virtual void activateTheme(const QString &name) = 0;
    /// The set of themes may have changed (the theme manager's lists refresh).
    virtual void themesChanged() = 0;
};

class ThemeDownload : public QObject, public ThemeDownloader {
    Q_OBJECT
public:
    ThemeDownload(ProgramState &state, ThemeDownloadUi &ui, QObject *parent = nullptr);
    ~ThemeDownload() override;

    /// Called by the navigation decision; returns at once (the questions come right after, so
    /// the decision never waits on the parent). Ignored while a download runs.
    void DownloadTheme(const QString &address) override;
    /// The progress window's "Cancel": ends the transfer or the import; nothing is left behind.
    void cancel();
    bool isRunning() const { return m_running; }

    /// The texts the parent sees.
    static QString failedServerText();
    static QString failedImportText();
    static QString readyText();

signals:
    /// The download ended (done, failed, cancelled or declined); for tests and the window.
    void finished(bool imported);

private:
    void run(const QString &address);
    void fetched(bool ok, bool cancelled);
    void imported(bool ok, bool cancelled);
    void end(bool imported);

    ProgramState &m_state;
    ThemeDownloadUi &m_ui;
    bool m_running = false;
    QString m_archiveTheme; // N
    QString m_targetTheme;  // N or the new name M
    QString m_archivePath;
    std::unique_ptr<Transfer> m_transfer;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::thread m_worker; // the import
};

} // namespace tovalin
