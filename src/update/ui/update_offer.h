#pragma once
// The update as the parents meet it: the check when `updatetimer` fires, the
// offer dialog, the password test against the parents' password, the download
// with its progress window, the signature, the installer's start and the
// program's end, and the messages on the way.

#include "update/update_check.h"
#include "update/update_download.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace tovalin {

class DownloadProgressWindow;
class UpdateDialog;

class UpdateOffer : public QObject {
    Q_OBJECT
public:
    struct Settings {
        UpdateChecker::Settings check;
        QString passwordFile;
        QString downloadsFolder;
    };
    /// What happens after a good download; tests replace them.
    struct Hooks {
        /// Starts the installer; false when it cannot be started.
        std::function<bool(const QString &path)> launch;
        /// Ends the program as the parents' "Exit Tovalin" does.
        std::function<void()> quit;
    };

    UpdateOffer(Settings settings, Hooks hooks, QWidget *window, QObject *parent = nullptr);
    ~UpdateOffer() override;

    /// `updatetimerTimer`: runs the check once.
    void check();
    UpdateChecker &checker() { return *m_checker; }
    UpdateDialog *dialog() const { return m_dialog; }
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

signals:
    /// The download ended: true when the installer was started (or handed to the desktop).
    void downloadEnded(bool ok);

private:
    void offer(const QString &version, const QString &address);
    void downloadRequested();
    void downloaded(const QString &path);
    void downloadFailed(UpdateDownload::Failure why);
    void closeProgress();

    Settings m_settings;
    Hooks m_hooks;
    QPointer<QWidget> m_window;
    std::unique_ptr<UpdateChecker> m_checker;
    std::unique_ptr<UpdateDownload> m_download;
    UpdateDialog *m_dialog = nullptr;
    DownloadProgressWindow *m_progress = nullptr;
};

} // namespace tovalin
