#include "app/ui/desktop_guard.h"

#include "state/startup.h"

#include "app/auto_restart.h"
#include "app/desktop_lock.h"
#include "app/foreign_window_guard.h"
#include "app/lock_log.h"
#include "app/ui/main_window.h"
#include "guard/site_lists.h"
#include "platform/desktop_windows.h"
#include "platform/key_lock.h"
#include "platform/tick_source.h"
#include "platform/x11_connection.h"
#include "platform/x11_desktop_windows.h"
#include "platform/x11_key_lock.h"
#include "state/program_state.h"
#include "users/user_profile.h"
#include "watchdog/watchdog_client.h"
#include "watchdog/watchdog_protocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace tovalin {

namespace {

/// The main window's `Timer1` as the guard's tick.
class WindowTimerTicks final : public TickSource {
public:
    explicit WindowTimerTicks(QTimer &timer) : m_timer(timer)
    {
        connect(&m_timer, &QTimer::timeout, this, &TickSource::ticked);
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    void setInterval(int intervalMs) override { m_timer.setInterval(intervalMs); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer &m_timer;
};

/// Where the desktop cannot be watched, the window in front always counts as Tovalin's.
class UnwatchedDesktop final : public DesktopWindows {
public:
    ForegroundWindow foregroundWindow() override
    {
        ForegroundWindow w;
        w.exists = true;
        w.ownProcess = true;
        return w;
    }
    void takeForeground() override {}
};

} // namespace

DesktopGuard::DesktopGuard(ProgramState &state, UserProfile &profile, MainWindow &window, int playersDelayMs,
                           QObject *parent)
    : QObject(parent)
    , m_profile(profile)
    , m_window(window)
{
    m_ticks = std::make_unique<WindowTimerTicks>(*window.foreignWindowTimer());
    LockSituation situation;
    situation.platform = QGuiApplication::platformName();
    situation.sessionVariable = inTovalinSession();
    QString whyNot;
    // In the session the X11 lock code never runs: there is no other window to keep away.
    if (lockHolderFor(situation) != LockHolder::TovalinSession) {
        m_x11 = X11Connection::open(&whyNot);
        situation.x11Connected = m_x11 != nullptr;
    }
    m_holder = lockHolderFor(situation);
    switch (m_holder) {
    case LockHolder::X11Lock:
        m_keys = std::make_unique<X11KeyLock>(m_x11);
        m_windows = std::make_unique<X11DesktopWindows>(m_x11, &window);
        break;
    case LockHolder::TovalinSession:
        qCInfo(lcLock) << "the desktop lock is held by the Tovalin session";
        m_keys = std::make_unique<SessionKeyLock>();
        m_windows = std::make_unique<UnwatchedDesktop>();
        break;
    case LockHolder::None:
        qCInfo(lcLock) << "the desktop lock is not available:" << whyNot << "- Tovalin runs without it";
        m_keys = std::make_unique<UnavailableKeyLock>();
        m_windows = std::make_unique<UnwatchedDesktop>();
        break;
    }
    m_lock = std::make_unique<DesktopLock>(*m_keys, *m_ticks);
    m_lock->setHolder(m_holder, parentToBeToldFor(situation));
    connect(m_lock.get(), &DesktopLock::parentToBeTold, this, [this](const QString &text) {
        // Activation runs before the window shows at start-up: the box follows once it does.
        QTimer::singleShot(0, this, [this, text] { tellParent(QStringLiteral("noDesktopLockMessage"), text); });
    });
    m_guard = std::make_unique<ForeignWindowGuard>(
        *m_windows, m_profile, MediaPlayers::fromVendorFile(VendorSettings::defaultPath(state.ProgramFolder)), *m_ticks);
    if (m_x11) {
        // Asked once the start page has had its time: each xdg-mime runs dozens of small
        // programs, and six of them at once would compete with the start-up for the processors.
        // The answers matter only once a reference file is handed to the desktop.
        QTimer::singleShot(playersDelayMs, this, &DesktopGuard::queryDesktopPlayers);
    }

    m_watchdog = std::make_unique<watchdog::WatchdogClient>(
        helperProgramPath(state.ProgramFolder, QLatin1String(watchdog::kProgramName)));
    AutoRestart::Program self;
    self.pid = QCoreApplication::applicationPid();
    self.executable = QCoreApplication::applicationFilePath();
    self.arguments = QCoreApplication::arguments().mid(1);
    self.workingDirectory = QDir::currentPath();
    self.windowClass = QString::fromLatin1(window.metaObject()->className());
    self.caption = window.windowTitle();
    m_restart = std::make_unique<AutoRestart>(*m_watchdog, state, self);

    connect(&window, &MainWindow::parentsMenuOpenChanged, this, [this](bool open) {
        if (open && !m_adminGroups.isEmpty()) {
            // Once per run: the parents learn it the first time they open their menu.
            const QString text =
                tr("This account may administer the computer (member of %1). A child with administrator rights "
                   "can switch Tovalin off: give the child an account of its own without them.")
                    .arg(m_adminGroups.join(QStringLiteral(", ")));
            m_adminGroups.clear();
            qCInfo(lcLock).noquote() << text;
            tellParent(QStringLiteral("administratorAccountMessage"), text);
        }
        if (open)
            m_lock->parentsMenuOpened();
        else
            m_lock->parentsMenuClosed(m_profile.Nieteruit);
    });
    connect(&window, &MainWindow::programEnding, this, &DesktopGuard::programEnding);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DesktopGuard::programEnding);
}

DesktopGuard::~DesktopGuard()
{
    programEnding();
}

void DesktopGuard::setKeyLock(bool on)
{
    m_lock->userActivated(on);
}

void DesktopGuard::tellParent(const QString &objectName, const QString &text)
{
    // Not modal to the program: the child's side and the parents' work go on behind it.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Tovalin"), text, QMessageBox::Ok, &m_window);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DesktopGuard::setAdministratorGroups(const QStringList &groups)
{
    m_adminGroups = groups;
}

void DesktopGuard::setAutoRestart(bool on)
{
    const QString message = m_restart->SetAutoRestart(on || m_holder == LockHolder::TovalinSession);
    if (!message.isEmpty())
        QMessageBox::information(&m_window, tr("Tovalin"), message);
}

void DesktopGuard::programEnding()
{
    if (m_ended)
        return;
    m_ended = true;
    m_restart->programEnding();
    m_lock->programEnding();
}

void DesktopGuard::queryDesktopPlayers()
{
    // The desktop's default player for each kind of reference file may stay in front too.
    // xdg-mime is a shell script: asked in the background, one type after another.
    m_xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (m_xdgMime.isEmpty())
        return;
    m_playerQueries.clear();
    for (PlayerKind kind : {PlayerKind::RealMedia, PlayerKind::WindowsMedia, PlayerKind::QuickTime})
        for (const QString &type : MediaPlayers::mimeTypes(kind))
            m_playerQueries.append({kind, type});
    queryNextDesktopPlayer();
}

void DesktopGuard::queryNextDesktopPlayer()
{
    if (m_playerQueries.isEmpty() || m_ended)
        return;
    const auto [kind, type] = m_playerQueries.takeFirst();
    auto *process = new QProcess(this);
    connect(process, &QProcess::finished, this, [this, process, kind](int code, QProcess::ExitStatus status) {
        const QString id = QString::fromLocal8Bit(process->readAllStandardOutput()).trimmed();
        if (status == QProcess::NormalExit && code == 0 && !id.isEmpty()) {
            // A web browser set as the default for a video type is never kept in front.
            if (m_guard->players().addDesktopDefaultPlayer(kind, id, MediaPlayers::handledTypesOf(id)))
                qCDebug(lcLock) << "desktop default player" << id << "allowed";
            else
                qCDebug(lcLock) << "desktop default" << id << "is a web browser or unknown: not a player";
        }
        process->deleteLater();
        queryNextDesktopPlayer();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        // A process that started and then failed still reports finished(); only a failed
        // start ends here.
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        queryNextDesktopPlayer();
    });
    process->start(m_xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
}

} // namespace tovalin
