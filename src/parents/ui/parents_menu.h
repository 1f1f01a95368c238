#pragma once
// The parents' menu bar's lock: the parents' buttons (`Image1`, `Image16`),
// "Lock menu" (`Label47`), the close button (`Image49`) with its warning,
// "Create homepage" (`Label51`), and the three password dialogs. The main
// window is reached only through ParentsMenuHost.

#include "parents/update_timer.h"

#include <QObject>
#include <functional>

class QWidget;

namespace tovalin {

class ChangePasswordDialog;
class CreatePasswordDialog;
class LockMenuDialog;
class MenuLock;
class ProgramState;
struct UserProfile;

/// What the lock does to the main window.
struct ParentsMenuHost {
    /// Shows or hides the parents' menu bar `Panel33` (and the taller top panel).
    std::function<void(bool open)> setMenuOpen;
    /// Sets the caption of `Label47`.
    std::function<void(const QString &text)> setLockLinkText;
    /// Releases the desktop lock and stops the foreign-window guard's timer.
    std::function<void()> releaseDesktop;
    /// The visible browser's location (for "Create homepage").
    std::function<QString()> location;
};

class ParentsMenu : public QObject {
    Q_OBJECT
public:
    /// A Yes/No question; true for Yes.
    using Question = std::function<bool(QWidget *parent, const QString &text)>;
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    /// dialogParent centres the dialogs; the update timer starter may be null.
    ParentsMenu(MenuLock &lock, ProgramState &state, UserProfile &profile, ParentsMenuHost host,
                UpdateTimerStarter *updateTimer, QWidget *dialogParent, QObject *parent = nullptr);
    ~ParentsMenu() override;

    /// `Image1Click` (also `Image16`): the create dialog without a password, the lock dialog while
    /// locked, else the menu opens at once.
    void menuButtonClicked();
    /// `Label47Click`: the lock dialog, or the create dialog when no password exists.
    void lockLinkClicked();
    /// `Image49`: the bar has been hidden; an unlocked menu is warned about.
    void menuClosed();
    /// `Label51Click` "Create homepage": the page shown becomes the active user's start page.
    void createHomepage();
    /// The user's "Lock menu on startup" at activation: sets the flag and shows its state.
    void setLockedFromProfile(bool blokmenu);

    /// The menu is open now (called also when something else opened it): the first time in a
    /// run the update timer is enabled.
    void menuOpened();

    /// Shows the lock as it stands (after the user manager closed): locked hides the menu bar;
    /// unlocked shows it with "Lock menu", releases the desktop and starts the update timer once.
    void applyCurrentLockState();

    /// The end of the new-user wizard: without a password the create dialog shows first (modal);
    /// then, with a password, the flag follows the user's "Lock menu on startup" and an unlocked
    /// menu is warned about (Yes: the lock dialog); still without one, the warning's Yes shows the
    /// create dialog again.
    void passwordStepsAfterWizard(bool blokmenu);

    /// The password dialogs, each built the first time it is asked for.
    CreatePasswordDialog *createDialog();
    LockMenuDialog *lockDialog();
    ChangePasswordDialog *changeDialog();

    /// Replace the boxes (tests record instead of blocking).
    void setQuestion(Question question) { m_question = std::move(question); }
    void setMessage(Message message);

    static QString lockMenuText();

private:
    void applyLockState(bool locked);
    void lockStepAfterWizard(bool blokmenu);
    void openLockLinkDialog();

    MenuLock &m_lock;
    ProgramState &m_state;
    UserProfile &m_profile;
    ParentsMenuHost m_host;
    FirstOpenUpdate m_update;
    QWidget *m_dialogParent = nullptr;
    CreatePasswordDialog *m_create = nullptr;
    LockMenuDialog *m_lockDialog = nullptr;
    ChangePasswordDialog *m_change = nullptr;
    Question m_question;
    Message m_message;
};

} // namespace tovalin
